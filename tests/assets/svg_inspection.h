#pragma once

#include "qstring_printer.h"

// Reads the compiled-in SVG assets as XML, so that the tests can look at what the drawing says
// (its texts, its colours, what it refers to) rather than only at how Qt paints it.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <ostream>
#include <vector>

namespace assets_test {

// One <text> element: its id (may be empty), its whole text content (tspans included) and the
// position given by its x and y attributes (NaN when absent).
struct SvgText {
    QString id;
    QString content;
    double x = 0.0;
    double y = 0.0;
    qint64 line = 0;
};

// One colour written in the file, as an attribute (fill="...") or inside a style attribute.
struct ColourUse {
    QString element;
    QString property;
    QString value;
    qint64 line = 0;
};

// The result of reading a whole SVG file; error is empty when the XML is well formed.
struct SvgContent {
    std::vector<SvgText> texts;
    std::vector<ColourUse> colours;
    // Every element, attribute or reference that would make the file depend on something
    // outside itself or on a feature Qt's SVG Tiny renderer does not draw, described in words.
    QStringList foreign;
    QString error;
};

// The bytes of a resource such as ":/schematic.svg"; empty when it does not exist.
QByteArray ReadResource(const QString& path);

SvgContent Inspect(const QByteArray& svg);

} // namespace assets_test
