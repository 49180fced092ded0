#pragma once
// A temporary program folder with small page templates for both orientations.
#include "TestSupport.h"
#include "uPageBuilder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>

inline QString Lines(std::initializer_list<const char *> lines)
{
    QStringList out;
    for (const char *l : lines)
        out << QString::fromUtf8(l);
    return out.join(QLatin1Char('\n'));
}

// The menu page template: every placeholder of the menu page, one unknown and one of the frameset.
inline const QString MenuTemplateText = Lines({
    R"(<html %SCROLL%><head><meta charset="%HTML_CHARSET%"><title>%HTML_TITLE%</title>)",
    R"(<meta name="description" content="%HTML_DESCRIPTION%"><meta name="keywords" content="%HTML_KEYWORDS%">)",
    R"(%HTML_MENU_SCRIPT%</head><body bgcolor="#%HTML_COLOR%">)",
    R"(<!--BODY-->%HTML_NOSCRIPT_OPEN%<embed src="%HTML_FLASH_FILE_NAME%" width="%HTML_WIDTH_FOR_FLASH_MENU%" height="%HTML_HEIGHT_FOR_FLASH_MENU%">%HTML_NOSCRIPT_CLOSE%<!--/BODY-->)",
    R"(%UNKNOWN% %HTML_FILE_NAME%</body></html>)",
});

// The script holds placeholders that come before and after it in each page's order.
inline const QString MenuScriptText = QStringLiteral(
    R"(<script>Run("%HTML_FLASH_FILE_NAME%", "%HTML_WIDTH_FOR_FLASH_MENU%", "%HTML_HEIGHT_FOR_FLASH_MENU%", "%HTML_TITLE%", "%HTML_MENU_SCRIPT%", "%SCROLL%");</script>)");

inline const QString FrameTemplateText = Lines({
    R"(<html><head><meta charset="%HTML_CHARSET%"><title>%HTML_TITLE%</title>)",
    R"(<meta name="description" content="%HTML_DESCRIPTION%"><meta name="keywords" content="%HTML_KEYWORDS%">)",
    R"(%HTML_MENU_SCRIPT%</head>)",
    R"(<frameset cols="%HTML_WIDTH_FOR_FLASH_MENU%,%HTML_WIDTH_FOR_FLASH_MENU_RIGHT%" %SCROLL%>)",
    R"(%HTML_FRAME_LEFT%)",
    R"(%HTML_FRAME_RIGHT%)",
    R"(</frameset>%HTML_NOSCRIPT_OPEN%x%HTML_NOSCRIPT_CLOSE% %HTML_FLASH_FILE_NAME% %HTML_HEIGHT_FOR_FLASH_MENU% #%HTML_COLOR%</html>)",
});

inline const QString NonFrameTemplateText = Lines({
    R"(<html><head><meta charset="%HTML_CHARSET%"><title>%HTML_TITLE%</title>)",
    R"(<meta name="description" content="%HTML_DESCRIPTION%"><meta name="keywords" content="%HTML_KEYWORDS%">)",
    R"(%HTML_MENU_SCRIPT%</head><body bgcolor="#%HTML_COLOR%" %SCROLL%>)",
    R"(<td>%CONTENT_FRAME_MENU_HTML%</td><td>%CONTENT_MENU_BODY_HTML%</td>)",
    R"(%HTML_NOSCRIPT_OPEN%%HTML_NOSCRIPT_CLOSE%</body></html>)",
});

inline const QString MainBodyText =
    QString::fromUtf8("<html><body><!--BODY--><p>Café – 日本語</p><!--/BODY--></body></html>");

// A title with markup and a later placeholder, a description with an earlier and a later one,
// keywords in key1, key3 and key12 with an empty key2.
inline const QString RichOptions = QStringLiteral(
    R"(<?xml version="1.0"?><template><sitetitle value="Tom &amp; Jerry's &lt;b&gt; %HTML_COLOR%"/>)"
    R"(<description><text><![CDATA[Say "hi" & %HTML_TITLE% %HTML_KEYWORDS%]]></text></description>)"
    R"(<bgcolor value="0x00FF00"/><key1 value="alpha"/><key2 value=""/><key3 value="gamma"/>)"
    R"(<key4/><key12 value="&lt;omega&gt;"/></template>)");

// The head every page shares when built from RichOptions.
inline const QString RichTitleLine =
    QStringLiteral(R"(<html><head><meta charset="UTF-8"><title>Tom &amp; Jerry&#39;s &lt;b&gt; 00FF00</title>)");
inline const QString RichMetaLine = QStringLiteral(
    R"(<meta name="description" content="Say &quot;hi&quot; &amp; %HTML_TITLE% alpha, gamma, &lt;omega&gt;"><meta name="keywords" content="alpha, gamma, &lt;omega&gt;">)");

class PageTemplates : public ::testing::Test {
protected:
    TempFolder prog;

    static QString htmlFolder(bool horizontal)
    {
        return QStringLiteral("Templates/%1/HTML/").arg(horizontal ? "Horizontal" : "Vertical");
    }
    void put(bool horizontal, const QString &name, const QByteArray &bytes)
    {
        prog.write(htmlFolder(horizontal) + name, bytes);
    }
    void put(bool horizontal, const QString &name, const QString &text) { put(horizontal, name, text.toUtf8()); }
    void remove(bool horizontal, const QString &name) { QFile::remove(prog.file(htmlFolder(horizontal) + name)); }

    void SetUp() override
    {
        for (bool h : {true, false}) {
            put(h, QStringLiteral("Template.htm"), MenuTemplateText);
            put(h, QStringLiteral("MenuScript.htm"), MenuScriptText);
            put(h, QStringLiteral("TemplateFrame.htm"), FrameTemplateText);
            put(h, QStringLiteral("TemplateNonFrame.htm"), NonFrameTemplateText);
            put(h, QStringLiteral("MainBody.htm"), MainBodyText);
        }
    }

    TTemplateEnv env(bool script = true) const { return TTemplateEnv{prog.path(), script}; }
};
