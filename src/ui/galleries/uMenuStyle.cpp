#include "uMenuStyle.h"
#include "uProgramStart.h"

#include "Conversions.h"
#include "Errors.h"
#include "FormControls.h"
#include "MessageBox.h"
#include "Messages.h"
#include "Paths.h"
#include "Trans.h"
#include "XmlDom.h"
#include "uGlobal.h"
#include "uSettings.h"
#include "uXMLUtils.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// A child that must be there: an absent parent counts as missing too, so a style document that
// did not load merges nothing.
pugi::xml_node RequiredChild(pugi::xml_node node, const QString &name)
{
    if (!node)
        throw Exception(QStringLiteral("Element \"\" has no node \"%1\".").arg(name));
    return SelectChildNode(node, name);
}

pugi::xml_node DesignMenubar(pugi::xml_node root)
{
    return RequiredChild(RequiredChild(root, QStringLiteral("design")), QStringLiteral("menubar"));
}

// Items of the style list with one of ids give their attributes to the design item of the same id,
// whatever order either list has; a design without that item ends the merge there.
void CopyById(pugi::xml_node design, pugi::xml_node style, const QString &child, const QStringList &ids,
              const QStringList &attributes)
{
    const std::vector<pugi::xml_node> ours = SelectChildNodes(design, child);
    for (const pugi::xml_node &theirs : SelectChildNodes(style, child)) {
        const QString id = GetNodeAttribute(theirs, QStringLiteral("id"));
        if (!ids.contains(id))
            continue;
        const auto same = std::find_if(ours.begin(), ours.end(), [&](const pugi::xml_node &n) {
            return GetNodeAttributeDef(n, QStringLiteral("id"), QString()) == id;
        });
        if (same == ours.end())
            throw Exception(QStringLiteral("Element \"design\" has no %1 item \"%2\".").arg(child, id));
        for (const QString &a : attributes)
            SetNodeAttribute(*same, a, GetNodeAttribute(theirs, a));
    }
}

} // namespace

TfrmMenuStyle::TfrmMenuStyle(const TGallerySetup &setup)
    : TGalleryDialog(setup, QStringLiteral("frmMenuStyle"), QStringLiteral("Menu Buttons Style"),
                     QStringLiteral("Select Set of Buttons"))
{
    const char *types[3] = {"Flat", "3D", "Gradient"};
    rgrMenuType = new QGroupBox(QStringLiteral("Button Type"), pnlRight);
    rgrMenuType->setObjectName(QStringLiteral("rgrMenuType"));
    rgrMenuType->setGeometry(8, 4, 112, 90);
    FTypeGroup = new QButtonGroup(this);
    auto *typeLayout = new QVBoxLayout(rgrMenuType);
    for (int i = 0; i < 3; ++i) {
        rgrMenuTypeItems[i] = new QRadioButton(QString::fromLatin1(types[i]), rgrMenuType);
        rgrMenuTypeItems[i]->setObjectName(QStringLiteral("rgrMenuType_%1").arg(i));
        FTypeGroup->addButton(rgrMenuTypeItems[i], i);
        typeLayout->addWidget(rgrMenuTypeItems[i]);
    }
    connect(FTypeGroup, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            rgrMenuTypeClick();
    });

    Panel1 = new QWidget(pnlRight);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    lblButtonType = new QLabel(QStringLiteral("Button Type"), Panel1);
    lblButtonType->setObjectName(QStringLiteral("lblButtonType"));
    lblButtonType->move(8, 4);
    cbButtonType = new QComboBox(Panel1);
    cbButtonType->setObjectName(QStringLiteral("cbButtonType"));
    cbButtonType->setGeometry(90, 0, 125, 22);
    for (const char *t : types)
        cbButtonType->addItem(QString::fromLatin1(t));
    connect(cbButtonType, &QComboBox::currentIndexChanged, this, &TfrmMenuStyle::cbButtonTypeChange);
    Panel1->hide();

    btnNext->move(8, 110);
    btnPrev->move(8, 142);
    connect(btnCreate, &QPushButton::clicked, this, &TfrmMenuStyle::btnCreateClick);

    const bool horz = FSetup.Horizontal;
    resize(706, 546);
    SetTileLayout(horz ? QSize(266, 86) : QSize(136, 199), horz ? 2 : 3,
                  FSetup.OrientPath(QStringLiteral("Menus\\Thumbnail_Narrow\\")));

    TranslateForm(this, QStringLiteral("frmMenuStyle"));
    TranslateRadioGroupItems(rgrMenuType, QStringLiteral("frmMenuStyle"));
    ApplyLanguageFont(this, LanguageName);
    // Both type controls show the translated texts.
    lblButtonType->setText(rgrMenuType->title());
    lblButtonType->adjustSize();
    for (int i = 0; i < 3; ++i)
        cbButtonType->setItemText(i, rgrMenuTypeItems[i]->text());
    FitToControls();

    qApp->installEventFilter(this);
}

void TfrmMenuStyle::PlaceRightPanel()
{
    const QSize type = rgrMenuType->minimumSizeHint();
    rgrMenuType->resize(std::max(112, type.width()), std::max(90, type.height()));
    const int top = std::max(110, rgrMenuType->y() + rgrMenuType->height() + 16);
    btnNext->move(8, top);
    btnPrev->move(8, top + 32);
    // The combo row: the label, then the list as wide as its texts.
    lblButtonType->adjustSize();
    WidenToCaption(cbButtonType, 125);
    cbButtonType->move(std::max(90, lblButtonType->x() + lblButtonType->width() + 8), 0);
    Panel1->resize(std::max(220, cbButtonType->x() + cbButtonType->width()), 25);
}

TfrmMenuStyle::~TfrmMenuStyle()
{
    qApp->removeEventFilter(this);
}

QWidget *TfrmMenuStyle::TypeControl() const
{
    if (!FSetup.Horizontal)
        return cbButtonType;
    const int i = TypeIndex();
    return rgrMenuTypeItems[i >= 0 ? i : 0];
}

int TfrmMenuStyle::TypeIndex() const
{
    return FSetup.Horizontal ? FTypeGroup->checkedId() : cbButtonType->currentIndex();
}

void TfrmMenuStyle::SetTypeIndex(int index)
{
    // Button types beyond the three items show as the nearest one.
    index = std::clamp(index, 0, 2);
    if (FSetup.Horizontal) {
        const QSignalBlocker quiet(FTypeGroup);
        rgrMenuTypeItems[index]->setChecked(true);
    } else {
        const QSignalBlocker quiet(cbButtonType);
        cbButtonType->setCurrentIndex(index);
    }
}

void TfrmMenuStyle::Prepare(const QString &xmlText)
{
    LoadDescription(xmlText);
    SetTypeIndex(StrToInt(FXmlUtils->GetButtonType()) - 1);
    FStartFile = FilePart(FXmlUtils->GetMenuFileSrc());
    ListFolderFiles(FSetup.OrientPath(QStringLiteral("Menus\\")), {QStringLiteral("swf")}, false, FSetup.Horizontal,
                    FNames);
    OpenAt(StartOffset(FStartFile));
}

void TfrmMenuStyle::showEvent(QShowEvent *event)
{
    if (!FShownOnce) {
        FTypeChanged = false;
        if (FSetup.Horizontal) {
            Panel1->hide();
            rgrMenuType->show();
        } else {
            rgrMenuType->hide();
            Panel1->move(0, 15);
            Panel1->show();
            PlacePageButtonsBottom();
        }
    }
    TGalleryDialog::showEvent(event);
}

void TfrmMenuStyle::TileChosen()
{
    FTypeChanged = false;
    UpdatePreview();
}

void TfrmMenuStyle::rgrMenuTypeClick()
{
    GuardSlot([this] {
        FTypeChanged = true;
        UpdatePreview();
    });
}

void TfrmMenuStyle::cbButtonTypeChange()
{
    rgrMenuTypeClick();
}

void TfrmMenuStyle::UpdatePreview()
{
    FPreviewWritten = false;
    const QString menus = FSetup.OrientPath(QStringLiteral("Menus\\"));
    const QString source = SafePathUnder(menus, FChosenFile);
    const QString target = SafePathUnder(FSetup.ExchangeFolder(), FChosenFile);
    if (!FChosenFile.isEmpty() && !source.isEmpty() && !target.isEmpty())
        CopyFileCompat(source, target);

    pugi::xml_document style;
    const QString styleFile = FindTemplateFile(FSetup.OrientPath(QStringLiteral("Template\\")),
                                               ChangeFileExt(FChosenFile, QStringLiteral(".xml")));
    QFile in(styleFile);
    if (!styleFile.isEmpty() && in.open(QIODevice::ReadOnly))
        ParseXmlBytes(style, in.readAll());

    FXmlUtils->SetMenuFileSrc(FChosenFile);
    FXmlUtils->SetButtonType(QString::number(TypeIndex() + 1));
    const QSize size = GalleryPreviewSize(*FXmlUtils, FPane.get());

    pugi::xml_document doc;
    ParseXml(doc, FXmlUtils->GetXml());
    MergeStyle(doc, style);
    WriteGalleryPreview(FSetup, FPane.get(), doc, FXmlUtils->GetMenuFileSrc(), size);
    FPreviewWritten = true;
}

void TfrmMenuStyle::MergeStyle(pugi::xml_document &doc, const pugi::xml_document &style)
{
    try {
        const pugi::xml_node d = DesignMenubar(doc.document_element());
        const pugi::xml_node t = DesignMenubar(style.document_element());
        // CopyMenubarAttributes
        SetNodeAttribute(d, QStringLiteral("space"), GetNodeAttribute(t, QStringLiteral("space")));
        if (!FTypeChanged)
            SetTypeIndex(StrToInt(GetNodeAttribute(t, QStringLiteral("buttontype"))) - 1);
        SetNodeAttribute(d, QStringLiteral("buttontype"), GetNodeAttribute(t, QStringLiteral("buttontype")));
        SetNodeAttribute(d, QStringLiteral("size"), GetNodeAttribute(t, QStringLiteral("size")));

        const pugi::xml_node dd = d.parent();
        const pugi::xml_node td = t.parent();
        // CopyColorValues
        CopyById(dd, td, QStringLiteral("color"),
                       {QStringLiteral("main_menu_active"), QStringLiteral("main_menu_normal"),
                        QStringLiteral("sub_menu_normal"), QStringLiteral("sub_menu_active"),
                        QStringLiteral("icon_link_normal"), QStringLiteral("icon_link_active")},
                       {QStringLiteral("value"), QStringLiteral("alpha")});
        // CopyFontValues
        CopyById(dd, td, QStringLiteral("font"),
                       {QStringLiteral("main_menu_active"), QStringLiteral("main_menu_normal"),
                        QStringLiteral("sub_menu_normal"), QStringLiteral("sub_menu_active")},
                       {QStringLiteral("face"), QStringLiteral("size"), QStringLiteral("color"), QStringLiteral("bold"),
                        QStringLiteral("italic"), QStringLiteral("underline")});
        SetNodeAttribute(d, QStringLiteral("buttontype"), QString::number(TypeIndex() + 1));
    } catch (const std::exception &) {
        // What was merged stays; the rest shows the design's own values.
    }
}

void TfrmMenuStyle::btnCreateClick()
{
    if (FChosenFile.isEmpty()) {
        ShowPlainMessage(LangMsg(66));
        return;
    }
    // A merge that could not be written is tried once more; still failing, its error has been
    // shown and the dialog stays, so the design never takes a description that is not there.
    if (!FPreviewWritten)
        GuardSlot([this] { UpdatePreview(); });
    if (!FPreviewWritten)
        return;
    if (FSetup.Opts().RecentButtonsOnTop)
        PutRecentButtonFirst(ChangeFileExt(FChosenFile, QString()), FSetup.Horizontal);
    accept();
}

void TfrmMenuStyle::PanelEnter(TGalleryTile *tile)
{
    FFocusedTile = nullptr;
    TGalleryDialog::PanelEnter(tile);
}

void TfrmMenuStyle::ScrollBoxEnter()
{
    if (!FFocusedTile) {
        TGalleryDialog::ScrollBoxEnter();
        return;
    }
    // Back in the tile area: the tile that had the focus is highlighted again, not chosen again.
    FocusTileWith(FTracker, FFocusedTile, [this](TGalleryTile *t) { LitePanelEnter(t); });
}

bool TfrmMenuStyle::eventFilter(QObject *watched, QEvent *event)
{
    const bool tab = event->type() == QEvent::KeyPress &&
                     (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Tab ||
                      static_cast<QKeyEvent *>(event)->key() == Qt::Key_Backtab);
    const bool press = event->type() == QEvent::MouseButtonPress &&
                       static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (tab || press) {
        auto *tile = qobject_cast<TGalleryTile *>(FTracker->Active());
        if (tile && tile->parentWidget() == ScrollBox->widget()) {
            FFocusedTile = tile;
            GuardSlot([this] { FTracker->Focus(TypeControl()); });
            // The Tab has done its work: the focus stays on the type control.
            if (tab)
                return true;
        }
    }
    return TGalleryDialog::eventFilter(watched, event);
}

bool ShowMenuButtonsStyle(const TGallerySetup &setup, const QString &xmlText)
{
    TfrmMenuStyle dialog(setup);
    dialog.Prepare(xmlText);
    return dialog.exec() == QDialog::Accepted;
}
