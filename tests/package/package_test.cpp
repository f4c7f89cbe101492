// The release package that scripts/package made in VIRELDO_PACKAGE_DIR (unpacked by
// tests/package/unpack_package.cmake in VIRELDO_PACKAGE_WORK/root): its control fields, its files,
// lintian's verdict, the desktop entry, the AppStream metainfo, the icons, what the windows load
// at run time, and the program in it. The tools used here (dpkg-deb, dpkg-query, lintian,
// desktop-file-validate, appstreamcli, xvfb-run) are installed by scripts/bootstrap: a missing
// tool fails the test.
#include "qstring_printer.h"
#include "ui/sheet/sheet_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLibrary>
#include <QLibraryInfo>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>
#include <cstdlib>
#include <gtest/gtest.h>

namespace package_test {
namespace {

const QString kPackages = QStringLiteral(VIRELDO_PACKAGE_DIR);
const QString kRoot = QStringLiteral(VIRELDO_PACKAGE_WORK "/root");

struct ToolRun {
    bool started = false;
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun RunTool(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                int timeoutMs = 60000) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ToolRun run;
    run.started = process.waitForStarted(10000);
    if (!run.started) {
        return run;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

#define ASSERT_TOOL_RAN(run, tool)                                                                 \
    ASSERT_TRUE((run).started) << tool << " is missing or does not start: run scripts/bootstrap"

// The lines of a checker's report that carry a tag of one of the given kinds ("E" for errors, "W"
// for warnings, "I" for informations: "E: ...", in the form that lintian and appstreamcli share).
QStringList Tags(const ToolRun& run, const QStringList& kinds) {
    QStringList found;
    for (const QString& line : (run.out + run.err).split(QLatin1Char('\n'))) {
        const QString text = line.trimmed();
        for (const QString& kind : kinds) {
            if (text.startsWith(kind + QLatin1Char(':'))) {
                found << text;
            }
        }
    }
    return found;
}

QString PackagePath() {
    const QDir folder(kPackages);
    const QStringList packages = folder.entryList({QStringLiteral("*.deb")}, QDir::Files);
    return packages.size() == 1 ? folder.filePath(packages.front()) : QString();
}

QString DebianArchitecture() {
    const ToolRun run = RunTool(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")});
    return run.out.trimmed();
}

// The folder of this machine's libraries under /usr/lib, "x86_64-linux-gnu" on a PC.
QString Multiarch() {
    const ToolRun run =
        RunTool(QStringLiteral("dpkg-architecture"), {QStringLiteral("-qDEB_HOST_MULTIARCH")});
    return run.out.trimmed();
}

// The control fields as dpkg-deb -f prints them; continuation lines are joined to their field.
QHash<QString, QString> ControlFields() {
    QHash<QString, QString> fields;
    const ToolRun run = RunTool(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), PackagePath()});
    QString current;
    for (const QString& line : run.out.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char(' '))) {
            fields[current] += QLatin1Char('\n') + line;
        } else if (const qsizetype colon = line.indexOf(QLatin1Char(':')); colon > 0) {
            current = line.left(colon);
            fields[current] = line.mid(colon + 1).trimmed();
        }
    }
    return fields;
}

QString PackageName(QString relation) {
    relation = relation.trimmed();
    const qsizetype end = relation.indexOf(QRegularExpression(QStringLiteral("[ (:]")));
    return end < 0 ? relation : relation.left(end);
}

// The package names of a relation field ("a (>= 1), b | c" gives a, b and c).
QSet<QString> RelationNames(const QString& field) {
    QSet<QString> names;
    for (const QString& alternatives : field.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        for (const QString& name : alternatives.split(QLatin1Char('|'))) {
            names.insert(PackageName(name));
        }
    }
    return names;
}

// The packages that installing a relation field brings in: of alternatives, the first, which is
// what apt installs.
QSet<QString> InstalledNames(const QString& field) {
    QSet<QString> names;
    for (const QString& alternatives : field.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        names.insert(PackageName(alternatives.section(QLatin1Char('|'), 0, 0)));
    }
    return names;
}

// The entries of the package as dpkg-deb -c lists them: path (without the leading ".") and
// permissions, e.g. "/usr/bin/vireldo567" -> "-rwxr-xr-x".
QHash<QString, QString> PackageEntries() {
    QHash<QString, QString> entries;
    const ToolRun run = RunTool(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), PackagePath()});
    for (const QString& line : run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList columns = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (columns.size() < 6) {
            continue;
        }
        QString path = columns.last();
        if (path.startsWith(QLatin1Char('.'))) {
            path.remove(0, 1);
        }
        if (path.size() > 1 && path.endsWith(QLatin1Char('/'))) {
            path.chop(1);
        }
        entries.insert(path, columns.front() + QLatin1Char(' ') + columns.at(1));
    }
    return entries;
}

// The keys of the [Desktop Entry] group of a desktop file.
QHash<QString, QString> DesktopEntry(const QString& path) {
    QHash<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return keys;
    }
    bool inGroup = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QStringLiteral("[Desktop Entry]");
        } else if (const qsizetype equals = line.indexOf(QLatin1Char('='));
                   inGroup && equals > 0 && !line.startsWith(QLatin1Char('#'))) {
            keys.insert(line.left(equals), line.mid(equals + 1));
        }
    }
    return keys;
}

const QString kDesktopEntry = QStringLiteral("/usr/share/applications/vireldo567.desktop");
const QString kMetainfo =
    QStringLiteral("/usr/share/metainfo/example.vireldo.vireldo567.metainfo.xml");
const QString kScalableIcon =
    QStringLiteral("/usr/share/icons/hicolor/scalable/apps/vireldo567.svg");
const QString kDocFolder = QStringLiteral("/usr/share/doc/vireldo567");
const QString kManualPage = QStringLiteral("/usr/share/man/man1/vireldo567.1.gz");
const int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The build sheet's drawing and output, which the program loads when a sheet is asked for, in
// the package's private folder.
QString SheetModule() {
    return QStringLiteral("/usr/lib/") + Multiarch() +
           QStringLiteral("/vireldo567/libvireldo_sheet.so");
}

QString PixelIcon(int size) {
    return QStringLiteral("/usr/share/icons/hicolor/%1x%1/apps/vireldo567.png").arg(size);
}

TEST(Package, IsNamedAfterTheProgramItsVersionAndTheArchitecture) {
    const QString path = PackagePath();
    ASSERT_FALSE(path.isEmpty()) << "no single .deb in " << kPackages.toStdString()
                                 << ": run scripts/package";
    EXPECT_EQ(ControlFields().value(QStringLiteral("Architecture")), DebianArchitecture());
    EXPECT_EQ(QFileInfo(path).fileName(),
              QStringLiteral("vireldo567_") + QCoreApplication::applicationVersion() +
                  QLatin1Char('_') + DebianArchitecture() + QStringLiteral(".deb"));
}

struct FieldCase {
    const char* name;
    const char* field;
    const char* expected;
};

void PrintTo(const FieldCase& row, std::ostream* out) {
    *out << row.name;
}

class ControlField : public testing::TestWithParam<FieldCase> {};

TEST_P(ControlField, HasItsValue) {
    const ToolRun run = RunTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--version")});
    ASSERT_TOOL_RAN(run, "dpkg-deb");
    const QHash<QString, QString> fields = ControlFields();
    const FieldCase& row = GetParam();
    ASSERT_TRUE(fields.contains(QString::fromLatin1(row.field))) << "no " << row.field << " field";
    EXPECT_EQ(fields.value(QString::fromLatin1(row.field)), QString::fromUtf8(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Package, ControlField,
    testing::Values(FieldCase{"Package", "Package", "vireldo567"},
                    // The program's version, zeros included.
                    FieldCase{"Version", "Version", "1.00.0015"},
                    FieldCase{"Section", "Section", "electronics"},
                    FieldCase{"Priority", "Priority", "optional"},
                    FieldCase{"Homepage", "Homepage", "http://www.vireldo.example/"}),
    [](const testing::TestParamInfo<FieldCase>& row) { return std::string(row.param.name); });

TEST(Package, VersionIsTheOneTheProgramReports) {
    EXPECT_EQ(ControlFields().value(QStringLiteral("Version")),
              QCoreApplication::applicationVersion());
}

TEST(Package, HasAMaintainerAndADescriptionInFrenchAndEnglish) {
    const QHash<QString, QString> fields = ControlFields();
    EXPECT_TRUE(fields.value(QStringLiteral("Maintainer")).contains(QLatin1Char('@')))
        << "Maintainer: " << fields.value(QStringLiteral("Maintainer")).toStdString();
    const QString description = fields.value(QStringLiteral("Description"));
    const QStringList lines = description.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3) << "no long description: " << description.toStdString();
    EXPECT_LE(lines.front().size(), 80) << "summary line too long for package managers";
    EXPECT_TRUE(description.contains(QStringLiteral("décodeur de tonalité")));
    EXPECT_TRUE(description.contains(QStringLiteral("tone decoder")));
}

struct RelationCase {
    const char* name;
    const char* field;
    const char* package;
};

void PrintTo(const RelationCase& row, std::ostream* out) {
    *out << row.name;
}

class Relation : public testing::TestWithParam<RelationCase> {};

TEST_P(Relation, NamesThePackage) {
    const RelationCase& row = GetParam();
    const QString field = ControlFields().value(QString::fromLatin1(row.field));
    EXPECT_TRUE(RelationNames(field).contains(QString::fromLatin1(row.package)))
        << row.field << ": " << field.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Package, Relation,
    testing::Values(
        // Found in the program and its sheet module by dpkg-shlibdeps.
        RelationCase{"DependsOnQtWidgets", "Depends", "libqt6widgets6"},
        RelationCase{"DependsOnQtGui", "Depends", "libqt6gui6"},
        RelationCase{"DependsOnQtCore", "Depends", "libqt6core6"},
        RelationCase{"DependsOnQtPrintSupport", "Depends", "libqt6printsupport6"},
        RelationCase{"DependsOnTheCLibrary", "Depends", "libc6"},
        RelationCase{"DependsOnTheCxxLibrary", "Depends", "libstdc++6"},
        RelationCase{"DependsOnGmp", "Depends", "libgmp10"},
        // What the windows load at run time, which no linker sees.
        RelationCase{"DependsOnTheSvgPlugins", "Depends", "libqt6svg6"},
        RelationCase{"DependsOnWineTahoma", "Depends", "fonts-wine"},
        RelationCase{"DependsOnQtFrenchTexts", "Depends", "qt6-translations-l10n"}),
    [](const testing::TestParamInfo<RelationCase>& row) { return std::string(row.param.name); });

// A package made from a build with sanitizers, or linked against a development package, would
// pull them onto every user's machine.
TEST(Package, DependsOnNoSanitizerRuntimeAndNoDevelopmentPackage) {
    const QHash<QString, QString> fields = ControlFields();
    const QString depends = fields.value(QStringLiteral("Depends"));
    ASSERT_FALSE(depends.isEmpty()) << "no Depends field";
    const QRegularExpression unwanted(
        QStringLiteral("^lib(asan|ubsan|lsan|tsan|hwasan)[0-9]*$|-dev$"));
    for (const QString& field : {QStringLiteral("Pre-Depends"), QStringLiteral("Depends")}) {
        for (const QString& name : RelationNames(fields.value(field))) {
            EXPECT_FALSE(unwanted.match(name).hasMatch())
                << field.toStdString() << ": " << name.toStdString();
        }
    }
}

TEST(PackageContents, AreExactlyTheInstalledFilesWithTheirPermissions) {
    const QHash<QString, QString> entries = PackageEntries();
    ASSERT_FALSE(entries.isEmpty()) << "dpkg-deb -c listed nothing";
    QHash<QString, QString> expected{
        {QStringLiteral("/usr/bin/vireldo567"), QStringLiteral("-rwxr-xr-x root/root")},
        {SheetModule(), QStringLiteral("-rw-r--r-- root/root")},
        {kDesktopEntry, QStringLiteral("-rw-r--r-- root/root")},
        {kMetainfo, QStringLiteral("-rw-r--r-- root/root")},
        {kScalableIcon, QStringLiteral("-rw-r--r-- root/root")},
        {kManualPage, QStringLiteral("-rw-r--r-- root/root")},
        {kDocFolder + QStringLiteral("/copyright"), QStringLiteral("-rw-r--r-- root/root")},
        {kDocFolder + QStringLiteral("/changelog.gz"), QStringLiteral("-rw-r--r-- root/root")},
    };
    for (const int size : kIconSizes) {
        expected.insert(PixelIcon(size), QStringLiteral("-rw-r--r-- root/root"));
    }
    QHash<QString, QString> files;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        if (entry.value().startsWith(QLatin1Char('d'))) {
            EXPECT_EQ(entry.value(), QStringLiteral("drwxr-xr-x root/root"))
                << "folder " << entry.key().toStdString();
        } else {
            files.insert(entry.key(), entry.value());
        }
    }
    for (auto file = expected.cbegin(); file != expected.cend(); ++file) {
        EXPECT_EQ(files.value(file.key(), QStringLiteral("(missing)")), file.value())
            << file.key().toStdString();
    }
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        EXPECT_TRUE(expected.contains(file.key())) << "unexpected " << file.key().toStdString();
    }
}

// Debian's checks of a package (policy, hardening, stripping, manual page, changelog, copyright).
// Not even an information (shown with --display-info): lazy binding and the compiler's .comment
// section are only that.
TEST(Package, PassesLintianWithoutAnyRemark) {
    const ToolRun run = RunTool(QStringLiteral("lintian"),
                                {QStringLiteral("--display-info"), QStringLiteral("--fail-on"),
                                 QStringLiteral("error,warning,info"), PackagePath()},
                                QProcessEnvironment::systemEnvironment(), 300000);
    ASSERT_TOOL_RAN(run, "lintian");
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(Tags(run, {QStringLiteral("E"), QStringLiteral("W"), QStringLiteral("I")}),
              QStringList())
        << run.out.toStdString();
}

// Users and apt-listchanges read the newest entry of the changelog: it is this version's.
TEST(InstalledChangelog, IsInDebiansFormatWithThisVersionFirst) {
    const ToolRun text =
        RunTool(QStringLiteral("gzip"),
                {QStringLiteral("-dc"), kRoot + kDocFolder + QStringLiteral("/changelog.gz")});
    ASSERT_TOOL_RAN(text, "gzip");
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile changelog(folder.filePath(QStringLiteral("changelog")));
    ASSERT_TRUE(changelog.open(QIODevice::WriteOnly));
    changelog.write(text.out.toUtf8());
    changelog.close();
    const ToolRun run = RunTool(QStringLiteral("dpkg-parsechangelog"),
                                {QStringLiteral("-l"), changelog.fileName(), QStringLiteral("-S"),
                                 QStringLiteral("Version")});
    ASSERT_TOOL_RAN(run, "dpkg-parsechangelog");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), QCoreApplication::applicationVersion());
}

// Every installed package and what installing it brings in (Pre-Depends and Depends), as
// dpkg-query reports them on this machine.
QHash<QString, QSet<QString>> InstalledDependencies() {
    QHash<QString, QSet<QString>> dependencies;
    const ToolRun run = RunTool(
        QStringLiteral("dpkg-query"),
        {QStringLiteral("-W"), QStringLiteral("-f=${Package}\t${Pre-Depends}\t${Depends}\n")});
    for (const QString& line : run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList columns = line.split(QLatin1Char('\t'));
        if (columns.size() == 3) {
            dependencies[columns.at(0)] +=
                InstalledNames(columns.at(1)) + InstalledNames(columns.at(2));
        }
    }
    return dependencies;
}

// The packages that installing this package brings in, with --no-install-recommends.
QSet<QString> DependencyClosure() {
    const QHash<QString, QString> fields = ControlFields();
    const QHash<QString, QSet<QString>> installed = InstalledDependencies();
    QSet<QString> closure;
    QStringList pending = (InstalledNames(fields.value(QStringLiteral("Pre-Depends"))) +
                           InstalledNames(fields.value(QStringLiteral("Depends"))))
                              .values();
    while (!pending.isEmpty()) {
        const QString name = pending.takeLast();
        if (!closure.contains(name)) {
            closure.insert(name);
            pending += installed.value(name).values();
        }
    }
    return closure;
}

// A file that the windows load at run time, out of the linker's sight: an absolute path, or a path
// under one of Qt's folders.
struct RunTimeFileCase {
    const char* name;
    bool underQt;
    QLibraryInfo::LibraryPath qtFolder;
    const char* path;
};

void PrintTo(const RunTimeFileCase& row, std::ostream* out) {
    *out << row.name;
}

class RunTimeFile : public testing::TestWithParam<RunTimeFileCase> {};

// Installed into a clean system without its Recommends, the package must still bring every file
// that the windows load: the package that holds the file is a dependency, or a dependency of one.
TEST_P(RunTimeFile, ComesWithThePackagesDependencies) {
    const RunTimeFileCase& row = GetParam();
    const QString path = row.underQt
                             ? QLibraryInfo::path(row.qtFolder) + QString::fromLatin1(row.path)
                             : QString::fromLatin1(row.path);
    ASSERT_TRUE(QFileInfo::exists(path))
        << path.toStdString() << " is missing: run scripts/bootstrap";
    const ToolRun search = RunTool(QStringLiteral("dpkg"), {QStringLiteral("-S"), path});
    ASSERT_TOOL_RAN(search, "dpkg");
    ASSERT_EQ(search.exitCode, 0) << path.toStdString() << " belongs to no package";
    // "libqt6gui6:amd64: /usr/lib/...": the owners come before the last ": ".
    const QString owners = search.out.trimmed().section(QStringLiteral(": "), 0, -2);
    const QSet<QString> closure = DependencyClosure();
    bool brought = false;
    for (const QString& owner : owners.split(QStringLiteral(", "))) {
        brought = brought || closure.contains(PackageName(owner));
    }
    EXPECT_TRUE(brought) << path.toStdString() << " is in " << owners.toStdString()
                         << ", which the package's dependencies do not bring in; Depends: "
                         << ControlFields().value(QStringLiteral("Depends")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Windows, RunTimeFile,
    testing::Values(
        // The fonts and the translation that runtime/application.cpp loads.
        RunTimeFileCase{"WineTahoma", false, {}, "/usr/share/wine/fonts/tahoma.ttf"},
        RunTimeFileCase{"WineTahomaBold", false, {}, "/usr/share/wine/fonts/tahomabd.ttf"},
        RunTimeFileCase{"QtFrenchTexts", true, QLibraryInfo::TranslationsPath, "/qtbase_fr.qm"},
        // The windows' platforms: X11, and none for the tests.
        RunTimeFileCase{"XcbPlatform", true, QLibraryInfo::PluginsPath, "/platforms/libqxcb.so"},
        RunTimeFileCase{"OffscreenPlatform", true, QLibraryInfo::PluginsPath,
                        "/platforms/libqoffscreen.so"},
        // The circuit diagram is read as an SVG image.
        RunTimeFileCase{"SvgImages", true, QLibraryInfo::PluginsPath, "/imageformats/libqsvg.so"}),
    [](const testing::TestParamInfo<RunTimeFileCase>& row) { return std::string(row.param.name); });

// The libraries that an installed binary names (readelf -d: its NEEDED entries), with its
// dynamic section as a whole.
struct DynamicSection {
    QString text;
    QStringList needed;
};

DynamicSection ReadDynamicSection(const QString& path) {
    const ToolRun run = RunTool(QStringLiteral("readelf"), {QStringLiteral("-d"), kRoot + path});
    DynamicSection section{run.out, {}};
    static const QRegularExpression needed(QStringLiteral("\\(NEEDED\\).*\\[([^]]+)\\]"));
    for (const QRegularExpressionMatch& m : needed.globalMatch(run.out)) {
        section.needed << m.captured(1);
    }
    return section;
}

struct BinaryCase {
    const char* name;
    bool sheetModule; // the sheet module, which alone needs Qt Print Support and Qt SVG
};

QString PathOf(const BinaryCase& row) {
    return row.sheetModule ? SheetModule() : QStringLiteral("/usr/bin/vireldo567");
}

void PrintTo(const BinaryCase& row, std::ostream* out) {
    *out << row.name;
}

class InstalledBinary : public testing::TestWithParam<BinaryCase> {};

// The program and its sheet module find Qt where the system keeps it, not through a search path
// of their own.
TEST_P(InstalledBinary, HasNoLibrarySearchPath) {
    const DynamicSection section = ReadDynamicSection(PathOf(GetParam()));
    ASSERT_FALSE(section.needed.isEmpty())
        << "not a dynamic binary: " << section.text.toStdString();
    EXPECT_FALSE(section.text.contains(QStringLiteral("RPATH")) ||
                 section.text.contains(QStringLiteral("RUNPATH")))
        << section.text.toStdString();
}

// Qt Print Support and Qt SVG cost every start their mapping and relocation: only the sheet
// module, loaded when a sheet is asked for, names them.
TEST_P(InstalledBinary, NeedsQtPrintSupportAndQtSvgOnlyForTheSheet) {
    const BinaryCase& row = GetParam();
    const DynamicSection section = ReadDynamicSection(PathOf(row));
    for (const QString& library :
         {QStringLiteral("libQt6PrintSupport.so.6"), QStringLiteral("libQt6Svg.so.6")}) {
        EXPECT_EQ(section.needed.contains(library), row.sheetModule)
            << library.toStdString() << " in " << section.needed.join(u' ').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Package, InstalledBinary,
                         testing::Values(BinaryCase{"Program", false},
                                         BinaryCase{"SheetModule", true}),
                         [](const testing::TestParamInfo<BinaryCase>& row) {
                             return std::string(row.param.name);
                         });

// The program names first the libraries where the dynamic loader finds most of the symbols it
// looks up at start-up, so that fewer lookups ask libraries without them.
TEST(InstalledProgram, NamesTheLibrariesOfMostLookupsFirst) {
    const QStringList needed = ReadDynamicSection(QStringLiteral("/usr/bin/vireldo567")).needed;
    const QStringList first = {QStringLiteral("libQt6Core.so.6"), QStringLiteral("libQt6Gui.so.6"),
                               QStringLiteral("libstdc++.so.6"), QStringLiteral("libc.so.6")};
    EXPECT_EQ(needed.mid(0, first.size()), first) << needed.join(u' ').toStdString();
}

// The sheet module as packaged (stripped) loads with the package's dependencies and gives its
// entry, built as the program's version.
TEST(InstalledSheetModule, LoadsAndIsThePackagesVersion) {
    QLibrary module(kRoot + SheetModule());
    const auto entry =
        reinterpret_cast<ui::SheetModuleFunction>(module.resolve(ui::SheetModuleEntry));
    ASSERT_NE(entry, nullptr) << module.errorString().toStdString();
    EXPECT_EQ(QString::fromUtf8(entry()->version),
              ControlFields().value(QStringLiteral("Version")));
}

// The program looks for its sheet module in the folder where the package puts it (the folder's
// name is in the program as Qt keeps its texts, in UTF-16).
TEST(InstalledProgram, LooksForItsSheetModuleWhereThePackagePutsIt) {
    QFile program(kRoot + QStringLiteral("/usr/bin/vireldo567"));
    ASSERT_TRUE(program.open(QIODevice::ReadOnly)) << program.fileName().toStdString();
    const QString folder = QFileInfo(SheetModule()).path();
    const QByteArray utf16(reinterpret_cast<const char*>(folder.utf16()),
                           folder.size() * qsizetype(sizeof(char16_t)));
    EXPECT_TRUE(program.readAll().contains(utf16)) << folder.toStdString();
}

TEST(InstalledDesktopEntry, PassesDesktopFileValidateWithoutAnyRemark) {
    const ToolRun run = RunTool(QStringLiteral("desktop-file-validate"), {kRoot + kDesktopEntry});
    ASSERT_TOOL_RAN(run, "desktop-file-validate");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out + run.err, QString()) << "errors, warnings or hints";
}

TEST(InstalledDesktopEntry, StartsTheInstalledProgramUnderItsOwnNameAndIcon) {
    const QHash<QString, QString> entry = DesktopEntry(kRoot + kDesktopEntry);
    ASSERT_FALSE(entry.isEmpty()) << "no [Desktop Entry] in " << kDesktopEntry.toStdString();
    // The window is matched to the entry by the name the program gives the desktop.
    EXPECT_EQ(QFileInfo(kDesktopEntry).completeBaseName(), QGuiApplication::desktopFileName());
    EXPECT_EQ(entry.value(QStringLiteral("Name")), QCoreApplication::applicationName());
    EXPECT_EQ(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(entry.value(QStringLiteral("Terminal")), QStringLiteral("false"));

    const QString command = entry.value(QStringLiteral("Exec")).section(QLatin1Char(' '), 0, 0);
    const QFileInfo program(kRoot + QStringLiteral("/usr/bin/") + command);
    EXPECT_TRUE(program.isFile() && program.isExecutable())
        << "Exec=" << command.toStdString() << " is not a program in /usr/bin";
    // Qt names the windows' WM_CLASS instance after the program file; X11 desktops match it to
    // StartupWMClass.
    EXPECT_EQ(entry.value(QStringLiteral("StartupWMClass")), command);

    const QString icon = entry.value(QStringLiteral("Icon"));
    EXPECT_TRUE(QFileInfo::exists(kRoot +
                                  QStringLiteral("/usr/share/icons/hicolor/scalable/apps/") + icon +
                                  QStringLiteral(".svg")))
        << "Icon=" << icon.toStdString() << " is not in the hicolor theme";
}

TEST(InstalledDesktopEntry, IsFrenchWithAnEnglishTranslation) {
    const QHash<QString, QString> entry = DesktopEntry(kRoot + kDesktopEntry);
    EXPECT_EQ(entry.value(QStringLiteral("GenericName")),
              QStringLiteral("Calculateur de décodeur de tonalité NE567"));
    EXPECT_EQ(entry.value(QStringLiteral("GenericName[fr]")),
              entry.value(QStringLiteral("GenericName")));
    EXPECT_EQ(entry.value(QStringLiteral("Comment[fr]")), entry.value(QStringLiteral("Comment")));
    EXPECT_EQ(entry.value(QStringLiteral("Name[fr]")), entry.value(QStringLiteral("Name")));
    EXPECT_FALSE(entry.value(QStringLiteral("GenericName[en]")).isEmpty());
    EXPECT_FALSE(entry.value(QStringLiteral("Comment[en]")).isEmpty());
}

// The whole installed tree, as a software centre reads it: the metainfo file's name against its
// id, the desktop entry it launches. The web addresses are not fetched (--no-net): the tests have
// no network.
TEST(InstalledMetainfo, PassesAppstreamValidateTreeWithoutWarnings) {
    const ToolRun run =
        RunTool(QStringLiteral("appstreamcli"),
                {QStringLiteral("validate-tree"), QStringLiteral("--no-net"), kRoot});
    ASSERT_TOOL_RAN(run, "appstreamcli");
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
    // Informations stay: the project's address is plain http, and its id's domain is not one.
    EXPECT_EQ(Tags(run, {QStringLiteral("E"), QStringLiteral("W")}), QStringList())
        << run.out.toStdString();
}

// The screenshots that a software centre shows are the pictures of docs/, published under the
// same names on the project's site, with their sizes.
TEST(InstalledMetainfo, ScreenshotsAreThePicturesOfTheDocumentation) {
    QFile file(kRoot + kMetainfo);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int images = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement ||
            xml.name() != QStringLiteral("image")) {
            continue;
        }
        ++images;
        const QSize declared(xml.attributes().value(QStringLiteral("width")).toInt(),
                             xml.attributes().value(QStringLiteral("height")).toInt());
        const QUrl url(xml.readElementText().trimmed());
        const QString picture = QStringLiteral(VIRELDO_SOURCE_DIR "/docs/") + url.fileName();
        const QImage image(picture);
        EXPECT_FALSE(image.isNull())
            << url.toString().toStdString() << " is not a picture of docs/";
        EXPECT_EQ(image.size(), declared) << url.toString().toStdString();
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(images, 0) << "no screenshot";
}

TEST(InstalledMetainfo, LaunchesTheDesktopEntryAndNamesTheCurrentRelease) {
    QFile file(kRoot + kMetainfo);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString launchable;
    QString binary;
    QStringList releases;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QStringLiteral("launchable")) {
            EXPECT_EQ(xml.attributes().value(QStringLiteral("type")), QStringLiteral("desktop-id"));
            launchable = xml.readElementText();
        } else if (xml.name() == QStringLiteral("binary")) {
            binary = xml.readElementText();
        } else if (xml.name() == QStringLiteral("release")) {
            releases << xml.attributes().value(QStringLiteral("version")).toString();
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(QFileInfo::exists(kRoot + QStringLiteral("/usr/share/applications/") + launchable))
        << "launchable " << launchable.toStdString() << " is not installed";
    EXPECT_TRUE(QFileInfo::exists(kRoot + QStringLiteral("/usr/bin/") + binary))
        << "binary " << binary.toStdString() << " is not installed";
    ASSERT_FALSE(releases.isEmpty());
    // The newest release comes first.
    EXPECT_EQ(releases.front(), QCoreApplication::applicationVersion());
}

TEST(InstalledIcons, ScalableIconIsTheWindowsIcon) {
    QFile installed(kRoot + kScalableIcon);
    QFile source(QStringLiteral(VIRELDO_SOURCE_DIR "/assets/icon.svg"));
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(installed.readAll(), source.readAll());
}

class PixelIconCase : public testing::TestWithParam<int> {};

// Each image of the icon theme is the scalable drawing rendered at its size, not a smaller image
// scaled up: blocky at the large sizes, blurred at the others.
TEST_P(PixelIconCase, IsTheDrawingRenderedAtThatSize) {
    const int size = GetParam();
    const QImage image = QImage(kRoot + PixelIcon(size)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(image.isNull()) << "cannot read " << PixelIcon(size).toStdString();
    ASSERT_EQ(image.size(), QSize(size, size));

    QSvgRenderer renderer(kRoot + kScalableIcon);
    ASSERT_TRUE(renderer.isValid());
    QImage drawing(size, size, QImage::Format_ARGB32_Premultiplied);
    drawing.fill(Qt::transparent);
    QPainter painter(&drawing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    drawing = drawing.convertToFormat(QImage::Format_ARGB32);

    // Only the rounding of half-transparent pixels may differ.
    const auto near = [](int a, int b) { return std::abs(a - b) <= 2; };
    int wrong = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb expected = drawing.pixel(x, y);
            const QRgb actual = image.pixel(x, y);
            const bool same = near(qAlpha(actual), qAlpha(expected)) &&
                              (qAlpha(expected) == 0 || (near(qRed(actual), qRed(expected)) &&
                                                         near(qGreen(actual), qGreen(expected)) &&
                                                         near(qBlue(actual), qBlue(expected))));
            if (!same && ++wrong <= 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << actual
                              << " instead of " << expected;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(ThemeSizes, PixelIconCase, testing::ValuesIn(kIconSizes),
                         [](const testing::TestParamInfo<int>& row) {
                             return std::to_string(row.param) + "px";
                         });

// The program found in the package starts on a real X server and is still running two seconds
// later (then `timeout` ends it, which makes `timeout` exit with 124).
TEST(InstalledProgramOnXServer, StartsAndKeepsRunning) {
    const QString program = kRoot + QStringLiteral("/usr/bin/vireldo567");
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    const ToolRun run = RunTool(
        QStringLiteral("xvfb-run"),
        {QStringLiteral("-a"), QStringLiteral("-e"), QStringLiteral("/dev/stderr"),
         QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"), QStringLiteral("timeout"),
         QStringLiteral("-k"), QStringLiteral("5"), QStringLiteral("3"), program},
        environment, 60000);
    ASSERT_TOOL_RAN(run, "xvfb-run");
    EXPECT_EQ(run.exitCode, 124) << "the program ended by itself or crashed\n"
                                 << run.out.toStdString() << run.err.toStdString();
    for (const char* trouble : {"qt.qpa.plugin", "QSvg"}) {
        EXPECT_FALSE(run.err.contains(QString::fromLatin1(trouble))) << run.err.toStdString();
    }
}

} // namespace
} // namespace package_test
