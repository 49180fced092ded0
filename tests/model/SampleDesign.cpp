#include "SampleDesign.h"

namespace {

TFontInfo Font(const char *name, int size, int color, int bold, int italic, int underline)
{
    TFontInfo f;
    f.Name = name;
    f.Size = size;
    f.Color = color;
    f.Bold = uint8_t(bold);
    f.Italic = uint8_t(italic);
    f.Underline = uint8_t(underline);
    return f;
}

TIconLinkItem Icon(int id, const char *img, const char *url, const char *target, const char *text, int alpha, int active)
{
    TIconLinkItem it;
    it.Id = id;
    it.Img = img;
    it.Url = url;
    it.Target = target;
    it.Text = text;
    it.Alpha = alpha;
    it.Active = uint8_t(active);
    return it;
}

} // namespace

void FillSample(TMenuDesign &d)
{
    d.ResetDesign(true);
    d.SetOrientation(false);
    d.CurrentMenuFileName = "buttons07.swf";
    TXMLStoreOptions &o = d.FStoreOptions;
    o.BackgroundColor = 0x112233;
    o.BackgroundColorAlpha = 100;
    o.MainNormalColor = 0xAABBCC;
    o.MainNormalAlpha = 90;
    o.MainActiveColor = 0x0000FF;
    o.MainActiveAlpha = 80;
    o.SubNormalColor = 0xFF0000;
    o.SubNormalAlpha = 70;
    o.SubActiveColor = 0x00FF00;
    o.SubActiveAlpha = 60;
    o.Fonts = {Font("Arial", 12, 0xFFFFFF, 1, 0, 0), Font("Arial", 12, 0xFFFF00, 0, 0, 0),
               Font("Verdana", 10, 0x000000, 0, 1, 0), Font("Verdana", 10, 0x333333, 0, 0, 1),
               Font("Times New Roman", 24, 0x123456, 1, 0, 0), Font("Tahoma", 11, 0x654321, 0, 0, 0)};
    o.BackgroundAlpha = 90;
    o.BackgroundWidth = 1004;
    o.BackgroundHeight = 120;
    o.TitleX = 10;
    o.TitleY = 5;
    o.DescX = 10;
    o.DescY = 40;
    o.MusicX = 900;
    o.MusicY = -20;
    o.SoundVolume = 80;
    d.FIconInfo.X = 600;
    d.FIconInfo.Y = 10;
    d.FIconInfo.NormalColor = 0x332211; // platform order
    d.FIconInfo.NormalAlpha = 50;
    d.FIconInfo.ActiveColor = 0xCCBBAA;
    d.FIconInfo.ActiveAlpha = 40;
    d.FIconInfo.Items = {Icon(1, "flashmenu\\i1.gif", "http://a.example/?x=1&y=2", "_blank", "Home & Away", 100, 1),
                         Icon(2, "flashmenu\\i2.gif", "mail.htm", "main", "Mail", 75, 0),
                         Icon(3, "", "", "", "", 100, 0),
                         Icon(4, "flashmenu\\i4.gif", "", "", "\"Four\"", 100, 1)};
    d.FTitleOptions.Text = "Fish & Chips <b>";
    d.FDescOptions.Text = "Welcome";
    d.FMenuX = 200;
    d.FMenuY = 40;
    d.FLogoX = 30;
    d.FLogoY = 35;
    d.Controls.MenuSpacing = 5;
    d.Controls.MenuTypeIndex = 1;
    d.Controls.ButtonSizeIndex = 1;
    d.Controls.TextAlignIndex = 1;
    d.Controls.BackgroundImage = "bg & sky.jpg";
    d.Controls.LogoImage = "logo.jpg";
    d.Controls.BackgroundSound = "music.mp3";

    // Start from an empty table: remove the three reset entries.
    for (int id = 1; id <= 3; ++id)
        d.RemoveMenuEntry(id);
    const int home = d.AddMainMenuEntry("", "Home", true, "main", "index.htm");
    d.AddSubMenuEntry(home, "News <br> today", "mainFrame", "news.htm");
    const int about = d.AddMainMenuEntry("", "About", true, "_top", "about.htm");
    d.AddSubMenuEntry(home, "Docs", "mainFrame", "docs\\a.htm");
    (void)about;
}

