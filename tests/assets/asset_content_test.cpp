// What both pictures are made of: well-formed SVG that stands on its own, painted only with the
// five colours of the circuit diagram.
#include "svg_inspection.h"

#include <QSet>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace assets_test {
namespace {

// White background, black texts, dark green wires, dark red symbol outlines, khaki bodies; all
// written the same way so that a stray "#fff" or "white" stands out too.
const QSet<QString>& DiagramColours() {
    static const QSet<QString> colours{"#FFFFFF", "#000000", "#004000", "#800000", "#C8C8A8"};
    return colours;
}

struct Asset {
    const char* name;
    const char* path;
};

// Names the row in test listings and failure messages.
void PrintTo(const Asset& row, std::ostream* out) {
    *out << row.name;
}

const Asset kAssets[] = {
    {"Schematic", ":/schematic.svg"},
    {"Icon", ":/icon.svg"},
};

class AssetContent : public ::testing::TestWithParam<Asset> {
protected:
    SvgContent Read() const {
        const QByteArray bytes = ReadResource(QString::fromUtf8(GetParam().path));
        EXPECT_FALSE(bytes.isEmpty()) << GetParam().path << " is not compiled in";
        return Inspect(bytes);
    }
};

TEST_P(AssetContent, IsWellFormedXml) {
    const SvgContent content = Read();
    EXPECT_TRUE(content.error.isEmpty()) << content.error.toStdString();
}

TEST_P(AssetContent, DependsOnNothingOutsideItself) {
    const SvgContent content = Read();
    EXPECT_TRUE(content.foreign.isEmpty()) << content.foreign.join("\n").toStdString();
}

TEST_P(AssetContent, UsesOnlyTheDiagramColours) {
    const SvgContent content = Read();
    ASSERT_TRUE(content.error.isEmpty()) << content.error.toStdString();
    // A file with no colour at all would pass the loop below without saying anything.
    ASSERT_FALSE(content.colours.empty());
    for (const ColourUse& use : content.colours) {
        EXPECT_TRUE(use.value == QLatin1String("none") || DiagramColours().contains(use.value))
            << "foreign colour " << use.value.toStdString() << " in " << use.property.toStdString()
            << " of <" << use.element.toStdString() << "> at line " << use.line;
    }
}

INSTANTIATE_TEST_SUITE_P(Assets, AssetContent, ::testing::ValuesIn(kAssets),
                         [](const ::testing::TestParamInfo<Asset>& row) {
                             return std::string(row.param.name);
                         });

TEST(SchematicColours, AllFiveColoursOfTheDiagramAreUsed) {
    const SvgContent content = Inspect(ReadResource(":/schematic.svg"));
    QSet<QString> used;
    for (const ColourUse& use : content.colours) {
        if (use.value != QLatin1String("none")) {
            used.insert(use.value);
        }
    }
    EXPECT_EQ(used, DiagramColours());
}

} // namespace
} // namespace assets_test
