#include "svg_inspection.h"

#include <QFile>
#include <QSet>
#include <QXmlStreamReader>
#include <limits>

namespace assets_test {
namespace {

// Every property whose value is a colour in SVG Tiny 1.2 or SVG 1.1.
const QSet<QString>& ColourProperties() {
    static const QSet<QString> properties{
        "fill",        "stroke",         "color",       "stop-color",
        "flood-color", "lighting-color", "solid-color", "viewport-fill",
    };
    return properties;
}

// Elements that bring in scripts, other files, raster images or effects outside the Tiny
// profile that Qt renders.
const QSet<QString>& ForeignElements() {
    static const QSet<QString> elements{
        "script",         "image",    "foreignObject", "filter",  "linearGradient",
        "radialGradient", "pattern",  "mask",          "feImage", "style",
        "animation",      "handler",  "listener",      "video",   "audio",
        "font-face-uri",  "prefetch", "discard",       "a",
    };
    return elements;
}

double NumberAttribute(const QXmlStreamAttributes& attributes, const QString& name) {
    bool ok = false;
    const double value = attributes.value(name).toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

void NoteColours(const QString& element, const QXmlStreamAttributes& attributes, qint64 line,
                 std::vector<ColourUse>& colours) {
    for (const QXmlStreamAttribute& attribute : attributes) {
        const QString name = attribute.qualifiedName().toString();
        if (ColourProperties().contains(name)) {
            colours.push_back({element, name, attribute.value().toString().trimmed(), line});
        }
    }
    const QString style = attributes.value("style").toString();
    for (const QString& declaration : style.split(';', Qt::SkipEmptyParts)) {
        const qsizetype colon = declaration.indexOf(':');
        if (colon < 0) {
            continue;
        }
        const QString name = declaration.left(colon).trimmed();
        if (ColourProperties().contains(name)) {
            colours.push_back({element, name, declaration.mid(colon + 1).trimmed(), line});
        }
    }
}

void NoteForeign(const QString& element, const QXmlStreamAttributes& attributes, qint64 line,
                 QStringList& foreign) {
    const QString where = QStringLiteral(" (line %1)").arg(line);
    if (ForeignElements().contains(element)) {
        foreign << QStringLiteral("element <%1>").arg(element) + where;
    }
    for (const QXmlStreamAttribute& attribute : attributes) {
        const QString name = attribute.qualifiedName().toString();
        const QString value = attribute.value().toString();
        if (name.startsWith("on")) {
            foreign << QStringLiteral("event handler %1").arg(name) + where;
        }
        if (name.endsWith("href") && !value.startsWith('#')) {
            foreign << QStringLiteral("reference %1=\"%2\"").arg(name, value) + where;
        }
        if (value.contains("url(")) {
            foreign << QStringLiteral("paint server %1=\"%2\"").arg(name, value) + where;
        }
        if (name == "filter") {
            foreign << QStringLiteral("filter attribute") + where;
        }
    }
}

} // namespace

QByteArray ReadResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

SvgContent Inspect(const QByteArray& svg) {
    SvgContent content;
    QXmlStreamReader reader(svg);
    // Depth of elements inside the <text> being read (tspans), 0 outside any text.
    int textDepth = 0;
    SvgText text;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isProcessingInstruction() &&
            reader.processingInstructionTarget() == QLatin1String("xml-stylesheet")) {
            content.foreign << QStringLiteral("style sheet (line %1)").arg(reader.lineNumber());
        } else if (reader.isStartElement()) {
            const QString element = reader.name().toString();
            const QXmlStreamAttributes attributes = reader.attributes();
            const qint64 line = reader.lineNumber();
            NoteColours(element, attributes, line, content.colours);
            NoteForeign(element, attributes, line, content.foreign);
            if (textDepth > 0) {
                ++textDepth;
            } else if (element == QLatin1String("text")) {
                textDepth = 1;
                text = SvgText{attributes.value("id").toString(), QString(),
                               NumberAttribute(attributes, "x"), NumberAttribute(attributes, "y"),
                               line};
            }
        } else if (reader.isCharacters() && textDepth > 0) {
            text.content += reader.text();
        } else if (reader.isEndElement() && textDepth > 0) {
            if (--textDepth == 0) {
                // Runs of spaces and line breaks show as one space, as the renderer draws them.
                text.content = text.content.simplified();
                content.texts.push_back(text);
            }
        }
    }
    if (reader.hasError()) {
        content.error =
            QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
    }
    return content;
}

} // namespace assets_test
