#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

// For start-up benchmarks only: with LUMIVUE_FIRST_PAINT_EXIT set, once the
// window has painted for the first time the program prints the monotonic
// clock in milliseconds on standard output and quits. Header-only so that
// the bare window the benchmark compares with stamps the same way.
class FirstPaintExit : public QObject
{
public:
    static void armFromEnvironment(QWidget &window)
    {
        if (qEnvironmentVariableIsSet("LUMIVUE_FIRST_PAINT_EXIT"))
            window.installEventFilter(new FirstPaintExit(&window));
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Stamped once the paint and the flush to the screen are over.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("%.3f\n", double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    using QObject::QObject;
    bool m_seen = false;
};
