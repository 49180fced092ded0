// The shipped program folder: every name the program looks up is there with its exact spelling,
// the design files and maps read, and the pictures, movies and sounds are files of their kind.
#include "Conversions.h"
#include "QtPrinting.h"
#include "TestSupport.h"
#include "XmlDom.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QStringList kOrientations = {QStringLiteral("Horizontal"), QStringLiteral("Vertical")};

QString Templates() { return ShippedDataDir() + QStringLiteral("Templates/"); }

// Exact-case existence: the name must be listed by its folder exactly as written.
bool ExistsExactly(const QString &base, const QString &relative)
{
    QString folder = base;
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        if (!entries.contains(part))
            return false;
        folder += part + QLatin1Char('/');
    }
    return true;
}

QStringList Files(const QString &folder, const QString &pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

QString ReadText(const QString &path) { return QString::fromUtf8(ReadFileBytes(path)); }

// The sections of a plain ini text as ordered key/value pairs.
QList<QPair<QString, QString>> IniSection(const QString &text, const QString &section)
{
    QList<QPair<QString, QString>> pairs;
    bool inside = false;
    for (QString line : text.split(QRegularExpression(QStringLiteral("\r?\n")))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inside = line.mid(1, line.lastIndexOf(QLatin1Char(']')) - 1).compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (inside && eq > 0)
            pairs.append({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return pairs;
}

struct PackageRow {
    const char *code;
    int first;
    int last;
};

// The sixteen template packages and their number ranges.
const PackageRow kPackages[] = {
    {"tvnr", 1, 6},     {"tvnr", 7, 12},    {"tvmbiz", 1, 6}, {"tvmbiz", 7, 12}, {"tvmspt", 1, 6},
    {"tvmgbl", 1, 6},   {"tvmcyb", 1, 6},   {"tvmholi", 1, 6}, {"tvmrom", 1, 6}, {"tvmvb", 1, 6},
    {"tvstd", 1, 6},    {"tvmjs", 1, 6},    {"tvmspt", 7, 12}, {"tvmvnat", 1, 6}, {"tvmjy", 1, 6},
    {"tvmvgbl", 1, 6},
};

} // namespace

TEST(ShippedData, EveryLookedUpNameExistsWithItsExactSpelling)
{
    const QStringList shared = {
        QStringLiteral("HTMLOptions.xml"), QStringLiteral("autorun.inf"), QStringLiteral("IconLink/Thumbnail/NoImage.jpg"),
        QStringLiteral("Sounds/bip.mp3"), QStringLiteral("Images/01.jpg"), QStringLiteral("Preview/flashmenu"),
    };
    for (const QString &name : shared)
        EXPECT_TRUE(ExistsExactly(Templates(), name)) << name.toStdString();

    const QStringList perOrientation = {
        QStringLiteral("HTML/Template.htm"), QStringLiteral("HTML/TemplateFrame.htm"),
        QStringLiteral("HTML/TemplateNonFrame.htm"), QStringLiteral("HTML/MenuScript.htm"),
        QStringLiteral("HTML/MainBody.htm"), QStringLiteral("HTML/NoMenu.htm"), QStringLiteral("HTML/style.css"),
        QStringLiteral("HTML/tvnr.gif"), QStringLiteral("HTML/AC_RunActiveContent.js"),
        QStringLiteral("Menus/Thumbnail/NoImage.jpg"), QStringLiteral("Menus/Thumbnail/CustomButtons.jpg"),
        QStringLiteral("Menus/Thumbnail_Narrow/NoImage.jpg"), QStringLiteral("BGround/Thumbnail/NoImage.jpg"),
        QStringLiteral("Template/Thumbnail/NoImage.jpg"),
    };
    for (const QString &orient : kOrientations)
        for (const QString &name : perOrientation)
            EXPECT_TRUE(ExistsExactly(Templates() + orient + QLatin1Char('/'), name))
                << (orient + QLatin1Char('/') + name).toStdString();
    // The page script is the same player in both orientations.
    EXPECT_EQ(ReadFileBytes(Templates() + QStringLiteral("Horizontal/HTML/AC_RunActiveContent.js")),
              ReadFileBytes(Templates() + QStringLiteral("Vertical/HTML/AC_RunActiveContent.js")));
}

TEST(ShippedData, EveryButtonSetHasItsThumbnailsDesignAndBackground)
{
    for (const QString &orient : kOrientations) {
        const QString base = Templates() + orient + QLatin1Char('/');
        const QStringList movies = Files(base + QStringLiteral("Menus"), QStringLiteral("*.swf"));
        EXPECT_GE(movies.size(), 16) << orient.toStdString();
        for (const QString &movie : movies) {
            const QString id = QFileInfo(movie).completeBaseName();
            for (const QString &name : {QStringLiteral("Menus/Thumbnail/") + id + QStringLiteral(".jpg"),
                                        QStringLiteral("Menus/Thumbnail_Narrow/") + id + QStringLiteral(".jpg"),
                                        QStringLiteral("Template/") + id + QStringLiteral(".xml"),
                                        QStringLiteral("Template/Thumbnail/") + id + QStringLiteral(".jpg")})
                EXPECT_TRUE(ExistsExactly(base, name)) << (orient + QLatin1Char('/') + name).toStdString();
        }
        const QStringList backgrounds = Files(base + QStringLiteral("BGround"), QStringLiteral("*.jpg"));
        EXPECT_GE(backgrounds.size(), 13) << orient.toStdString();
        for (const QString &bg : backgrounds)
            EXPECT_TRUE(ExistsExactly(base, QStringLiteral("BGround/Thumbnail/") + bg)) << bg.toStdString();

        // Every package of the table has at least one design, so each gallery theme has a page.
        for (const PackageRow &row : kPackages) {
            bool any = false;
            for (int n = row.first; n <= row.last && !any; ++n)
                any = QFileInfo::exists(base + QStringLiteral("Template/%1%2.xml").arg(QLatin1String(row.code))
                                                   .arg(n, 3, 10, QLatin1Char('0')));
            EXPECT_TRUE(any) << orient.toStdString() << " " << row.code << " " << row.first;
        }
    }
    const QString icons = Templates() + QStringLiteral("IconLink/");
    const QStringList pictures = Files(icons, QStringLiteral("*.jpg"));
    EXPECT_GE(pictures.size(), 21);
    for (const QString &p : pictures)
        EXPECT_TRUE(ExistsExactly(icons, QStringLiteral("Thumbnail/") + p)) << p.toStdString();
}

TEST(ShippedData, DesignFilesReadAndNameExistingFiles)
{
    int demoBlocks = 0;
    const QStringList colorIds = {QStringLiteral("main_menu_normal"), QStringLiteral("main_menu_active"),
                                  QStringLiteral("sub_menu_normal"),  QStringLiteral("sub_menu_active"),
                                  QStringLiteral("icon_link_normal"), QStringLiteral("icon_link_active")};
    for (const QString &orient : kOrientations) {
        const QString base = Templates() + orient + QLatin1Char('/');
        for (const QString &file : Files(base + QStringLiteral("Template"), QStringLiteral("*.xml"))) {
            SCOPED_TRACE((orient + QLatin1Char('/') + file).toStdString());
            pugi::xml_document doc;
            QString reason;
            ASSERT_TRUE(ParseXmlBytes(doc, ReadFileBytes(base + QStringLiteral("Template/") + file), &reason))
                << reason.toStdString();
            const pugi::xml_node root = doc.document_element();
            EXPECT_STREQ(root.name(), "WebMenuOptions");
            EXPECT_STREQ(root.attribute("type").value(), orient == QLatin1String("Horizontal") ? "h" : "v");
            // The five children in their order, after an optional demo block.
            QStringList names;
            for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling())
                names << QStr(c.name());
            if (names.value(0) == QLatin1String("demo")) {
                names.removeFirst();
                ++demoBlocks;
            }
            EXPECT_EQ(names, QStringList({"menufile", "design", "main", "iconlink", "menubar"}));

            const pugi::xml_node bar = root.child("design").child("menubar");
            for (const char *a : {"space", "buttontype", "size", "x", "y", "align"})
                EXPECT_FALSE(bar.attribute(a).empty()) << a;
            EXPECT_TRUE(QStr(bar.attribute("size").value()) == QLatin1String("fix") ||
                        QStr(bar.attribute("size").value()) == QLatin1String("variable"));
            QStringList seen;
            for (pugi::xml_node c : root.child("design").children("color")) {
                seen << QStr(c.attribute("id").value());
                EXPECT_TRUE(QStr(c.attribute("value").value()).contains(QRegularExpression(QStringLiteral("^0x[0-9A-F]{6}$"))));
                EXPECT_FALSE(c.attribute("alpha").empty());
            }
            for (const QString &id : colorIds)
                EXPECT_TRUE(seen.contains(id)) << id.toStdString();
            int fonts = 0;
            for (pugi::xml_node f : root.child("design").children("font")) {
                for (const char *a : {"id", "face", "size", "color", "bold", "italic", "underline"})
                    EXPECT_FALSE(f.attribute(a).empty()) << a;
                ++fonts;
            }
            EXPECT_EQ(fonts, 6);

            // The movie and background are named relative to the orientation folder, the logo,
            // sound and icon pictures relative to the templates folder.
            const QString movie = QStr(root.child("menufile").attribute("src").value());
            EXPECT_EQ(movie, QStringLiteral("Menus\\") + QFileInfo(file).completeBaseName() + QStringLiteral(".swf"));
            EXPECT_TRUE(ExistsExactly(base, SlashPath(movie, true)));
            EXPECT_TRUE(ExistsExactly(base, SlashPath(QStr(root.child("design").child("background").attribute("src").value()), true)));
            EXPECT_TRUE(ExistsExactly(Templates(), SlashPath(QStr(root.child("main").child("img").attribute("src").value()), true)));
            for (pugi::xml_node item : root.child("iconlink").children("item"))
                EXPECT_TRUE(ExistsExactly(Templates(), SlashPath(QStr(item.attribute("img").value()), true)));
            EXPECT_GE(std::distance(root.child("menubar").children("menu").begin(),
                                    root.child("menubar").children("menu").end()), 3);
        }
    }
    EXPECT_GE(demoBlocks, 1);
}

TEST(ShippedData, PageOptionsDefaultsHaveTheirElements)
{
    pugi::xml_document doc;
    ASSERT_TRUE(ParseXmlBytes(doc, ReadFileBytes(Templates() + QStringLiteral("HTMLOptions.xml"))));
    const pugi::xml_node root = doc.document_element();
    EXPECT_STREQ(root.name(), "template");
    EXPECT_FALSE(root.child("sitetitle").attribute("value").empty());
    EXPECT_TRUE(root.child("description").child("text"));
    EXPECT_STREQ(root.child("bgcolor").attribute("value").value(), "0xFFFFFF");
    for (int n = 1; n <= 12; ++n)
        EXPECT_TRUE(root.child(QStringLiteral("key%1").arg(n).toUtf8().constData())) << n;
}

TEST(ShippedData, PackageMapsNameExistingFolders)
{
    const QString ini = ReadText(ShippedDataDir() + QStringLiteral("tolvanar.ini"));
    for (const QString &orient : kOrientations) {
        const auto map = IniSection(ini, orient);
        EXPECT_GE(map.size(), 5) << orient.toStdString();
        QSet<QString> files;
        for (const auto &[file, folder] : map) {
            EXPECT_FALSE(files.contains(file.toLower())) << file.toStdString();
            files.insert(file.toLower());
            EXPECT_FALSE(folder.endsWith(QLatin1Char('\\')));
            EXPECT_TRUE(folder.startsWith(QStringLiteral("Templates\\") + orient + QLatin1Char('\\')))
                << folder.toStdString();
            EXPECT_TRUE(ExistsExactly(ShippedDataDir(), SlashPath(folder, true))) << folder.toStdString();
            EXPECT_TRUE(QFileInfo(ShippedDataDir() + SlashPath(folder, true)).isDir()) << folder.toStdString();
        }
    }
}

TEST(ShippedData, PageTemplatesUseOnlyKnownPlaceholdersAndBodyMarkers)
{
    const QSet<QString> known = {
        "%HTML_MENU_SCRIPT%", "%HTML_NOSCRIPT_OPEN%", "%HTML_NOSCRIPT_CLOSE%", "%SCROLL%", "%HTML_CHARSET%",
        "%HTML_TITLE%", "%HTML_DESCRIPTION%", "%HTML_KEYWORDS%", "%HTML_COLOR%", "%HTML_WIDTH_FOR_FLASH_MENU%",
        "%HTML_HEIGHT_FOR_FLASH_MENU%", "%HTML_FLASH_FILE_NAME%", "%HTML_WIDTH_FOR_FLASH_MENU_RIGHT%",
        "%HTML_FRAME_LEFT%", "%HTML_FRAME_RIGHT%", "%HTML_FILE_NAME%", "%CONTENT_FRAME_MENU_HTML%",
        "%CONTENT_MENU_BODY_HTML%"};
    const QRegularExpression token(QStringLiteral("%[A-Z_]+%"));
    for (const QString &orient : kOrientations) {
        const QString html = Templates() + orient + QStringLiteral("/HTML/");
        auto text = [&](const char *name) { return ReadText(html + QLatin1String(name)); };
        for (const char *name : {"Template.htm", "TemplateFrame.htm", "TemplateNonFrame.htm", "MenuScript.htm",
                                 "MainBody.htm", "NoMenu.htm"}) {
            auto it = token.globalMatch(text(name));
            while (it.hasNext()) {
                const QString found = it.next().captured();
                EXPECT_TRUE(known.contains(found)) << name << " " << found.toStdString();
            }
        }
        const QString page = text("Template.htm");
        for (const char *needed : {"<!--BODY-->", "<!--/BODY-->", "%HTML_MENU_SCRIPT%", "%HTML_NOSCRIPT_OPEN%",
                                   "%HTML_NOSCRIPT_CLOSE%", "%HTML_FLASH_FILE_NAME%", "%HTML_TITLE%", "%HTML_COLOR%",
                                   "%SCROLL%", "AC_RunActiveContent.js"})
            EXPECT_TRUE(page.contains(QLatin1String(needed))) << needed;
        // The fallback sits between the noscript markers, after the script block.
        EXPECT_LT(page.indexOf(QLatin1String("%HTML_MENU_SCRIPT%")), page.indexOf(QLatin1String("%HTML_NOSCRIPT_OPEN%")));
        EXPECT_LT(page.indexOf(QLatin1String("%HTML_NOSCRIPT_OPEN%")), page.indexOf(QLatin1String("class=\"tvnr-menu\"")));
        EXPECT_LT(page.indexOf(QLatin1String("class=\"tvnr-menu\"")), page.indexOf(QLatin1String("%HTML_NOSCRIPT_CLOSE%")));
        const QString script = text("MenuScript.htm");
        for (const char *needed : {"%HTML_FLASH_FILE_NAME%", "%HTML_WIDTH_FOR_FLASH_MENU%",
                                   "%HTML_HEIGHT_FOR_FLASH_MENU%", "AC_RunActiveContent.js"})
            EXPECT_TRUE(script.contains(QLatin1String(needed))) << needed;
        const QString frames = text("TemplateFrame.htm");
        EXPECT_TRUE(frames.contains(QLatin1String("%HTML_FRAME_LEFT%")) && frames.contains(QLatin1String("%HTML_FRAME_RIGHT%")));
        const QString single = text("TemplateNonFrame.htm");
        EXPECT_TRUE(single.contains(QLatin1String("%CONTENT_FRAME_MENU_HTML%")) &&
                    single.contains(QLatin1String("%CONTENT_MENU_BODY_HTML%")));
        const QString body = text("MainBody.htm");
        EXPECT_LT(body.indexOf(QLatin1String("<!--BODY-->")), body.indexOf(QLatin1String("<!--/BODY-->")));
        EXPECT_GE(body.indexOf(QLatin1String("<!--BODY-->")), 0);
    }
}

TEST(ShippedData, MediaFilesAreFilesOfTheirKind)
{
    QDirIterator it(Templates(), QDir::Files, QDirIterator::Subdirectories);
    int pictures = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        const QString ext = QFileInfo(path).suffix();
        const QByteArray bytes = ReadFileBytes(path);
        if (ext == QLatin1String("jpg") || ext == QLatin1String("png") || ext == QLatin1String("gif")) {
            EXPECT_FALSE(QImage::fromData(bytes).isNull()) << path.toStdString();
            if (ext == QLatin1String("jpg")) {
                EXPECT_TRUE(bytes.startsWith("\xFF\xD8")) << path.toStdString();
            }
            ++pictures;
        } else if (ext == QLatin1String("swf")) {
            // Uncompressed movie: signature, version, and the length field equal to the file's size.
            ASSERT_GE(bytes.size(), 8);
            EXPECT_TRUE(bytes.startsWith("FWS")) << path.toStdString();
            const quint32 length = quint8(bytes[4]) | quint8(bytes[5]) << 8 | quint8(bytes[6]) << 16 |
                                   quint32(quint8(bytes[7])) << 24;
            EXPECT_EQ(length, quint32(bytes.size())) << path.toStdString();
            EXPECT_TRUE(bytes.endsWith(QByteArray("\x40\x00\x00\x00", 4))) << path.toStdString();
        } else if (ext == QLatin1String("mp3")) {
            ASSERT_GE(bytes.size(), 4);
            const bool frameSync = quint8(bytes[0]) == 0xFF && (quint8(bytes[1]) & 0xE0) == 0xE0;
            EXPECT_TRUE(frameSync || bytes.startsWith("ID3")) << path.toStdString();
        }
    }
    EXPECT_GT(pictures, 100);
}

TEST(ShippedData, CdRomStarterOpensTheMenuPage)
{
    const QString inf = ReadText(Templates() + QStringLiteral("autorun.inf"));
    EXPECT_EQ(inf, QStringLiteral("[autorun]\r\nshellexecute=flashmenu.htm\r\naction=Open the menu\r\nlabel=Menu\r\n"));
}
