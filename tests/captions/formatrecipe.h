#pragma once

#include "captions/richtextadapter.h"

#include <QStringList>

// Formats parts of an editor from a short description, one part per "|":
// "start,length,setting;setting..." with settings face=NAME, size=POINTS,
// colour=HEX (0xBBGGRR), b, i, u, s, offset=TWIPS.
inline void applyFormatRecipe(RichTextAdapter &ed, const QString &recipe)
{
    const QStringList parts = recipe.split(u'|', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QStringList fields = part.split(u',');
        ed.setSelection(fields.value(0).toInt(), fields.value(1).toInt());
        const QStringList settings = fields.value(2).split(u';', Qt::SkipEmptyParts);
        for (const QString &setting : settings) {
            const QString key = setting.section(u'=', 0, 0);
            const QString value = setting.section(u'=', 1);
            if (key == u"face")
                ed.setFontName(value);
            else if (key == u"size")
                ed.setFontSize(value.toDouble());
            else if (key == u"colour")
                ed.setColour(value.toUInt(nullptr, 16));
            else if (key == u"b")
                ed.setBold(true);
            else if (key == u"i")
                ed.setItalic(true);
            else if (key == u"u")
                ed.setUnderline(true);
            else if (key == u"s")
                ed.setStrikethrough(true);
            else if (key == u"offset")
                ed.setCharOffset(value.toInt());
        }
    }
}
