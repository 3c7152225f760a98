#include "capture/integerpart.h"

#include <limits>

std::int32_t IntegerPart(const QString &text)
{
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    qsizetype at = 0;
    const bool negative = at < digits.size() && digits[at] == QLatin1Char('-');
    if (at < digits.size() && (digits[at] == QLatin1Char('-') || digits[at] == QLatin1Char('+')))
        ++at;

    // Saturates well above the 32-bit range, so the clamp below still sees it.
    constexpr std::int64_t ceiling = std::int64_t(1) << 40;
    std::int64_t whole = 0;
    for (; at < digits.size() && digits[at].isDigit() && digits[at].unicode() < 128; ++at)
        whole = std::min(ceiling, whole * 10 + (digits[at].unicode() - '0'));

    // Rounding down only moves a negative number with a fraction.
    bool fraction = false;
    if (at < digits.size() && digits[at] == QLatin1Char('.')) {
        for (++at; at < digits.size() && digits[at].isDigit() && digits[at].unicode() < 128; ++at)
            fraction = fraction || digits[at] != QLatin1Char('0');
    }
    const std::int64_t value = negative ? -whole - (fraction ? 1 : 0) : whole;
    return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}
