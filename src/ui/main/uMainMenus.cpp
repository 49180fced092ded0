// The "Menu Structure" strip: one drop-down button per main entry with its popup (Create Sub Menu,
// Edit, Remove), the sub-entry items in those popups, and the dialogs that add and edit entries.
#include "AlignPanel.h"
#include "Conversions.h"
#include "FormControls.h"
#include "MainWindowParts.h"
#include "Messages.h"
#include "uMain.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString MainCreatePrefix = QStringLiteral("Msmi_Main_Create_");
const QString MainEditPrefix = QStringLiteral("Msmi_Main_Edit_");
const QString MainRemovePrefix = QStringLiteral("Msmi_Main_Remove_");
const QString SubEditPrefix = QStringLiteral("Msmi_Sub_Edit_");
const QString SubRemovePrefix = QStringLiteral("Msmi_Sub_Remove_");

// Gone at once for every look-up by name; the object itself goes when the event loop next runs, so
// that an item whose own click leads here is not pulled from under its menu.
void Retire(QObject *object)
{
    if (!object)
        return;
    object->setObjectName(QString());
    for (QObject *child : object->findChildren<QObject *>())
        child->setObjectName(QString());
    if (auto *w = qobject_cast<QWidget *>(object))
        w->hide();
    object->deleteLater();
}

// A caption as a button or menu shows it: without tags, any "&" as itself.
QString ShownCaption(const QString &caption)
{
    return PlainMenuText(StripHtmlTags(caption));
}

} // namespace

// ---- Popups --------------------------------------------------------------------------------

void TfrmMain::FreeComponentByName(const QString &name)
{
    if (name.isEmpty())
        return;
    for (QObject *found : findChildren<QObject *>(name))
        Retire(found);
}

QAction *TfrmMain::CreatePopupItem(QMenu *menu, const QString &name, const QString &caption, int tag,
                                   void (TfrmMain::*handler)(QAction *))
{
    FreeComponentByName(name);
    QAction *item = menu->addAction(caption);
    item->setObjectName(name);
    item->setData(tag);
    connect(item, &QAction::triggered, this, [this, item, handler] { (this->*handler)(item); });
    return item;
}

void TfrmMain::MainEntryAdded(int id)
{
    if (QMenu *old = FPopups.take(id))
        Retire(old);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("pum%1").arg(id));
    menu->addSeparator();
    CreatePopupItem(menu, MainCreatePrefix + QString::number(id), LangMsg(26), id, &TfrmMain::AddSubMenuEntryClick);
    menu->addSeparator();
    CreatePopupItem(menu, MainEditPrefix + QString::number(id), LangMsg(27), id, &TfrmMain::EditMenuEntryClick);
    CreatePopupItem(menu, MainRemovePrefix + QString::number(id), LangMsg(28), id, &TfrmMain::RemoveMenuEntryClick);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { PumOnPopup(menu); });
    FPopups.insert(id, menu);
}

void TfrmMain::SubEntryAdded(int parentId, int id)
{
    QMenu *parent = FPopups.value(parentId);
    const int slot = FDesign.FindEntrySlot(id);
    if (!parent || slot < 0)
        return;
    if (QMenu *old = FSubItems.take(id))
        Retire(old);
    auto *item = new QMenu(ShownCaption(FDesign.Entry(slot).Caption), parent);
    item->menuAction()->setData(id);
    CreatePopupItem(item, SubEditPrefix + QString::number(id), LangMsg(6), id, &TfrmMain::EditMenuEntryClick);
    CreatePopupItem(item, SubRemovePrefix + QString::number(id), LangMsg(5), id, &TfrmMain::RemoveMenuEntryClick);
    // Just above the five fixed items, so sub-entries stand in the order they were made.
    const QList<QAction *> items = parent->actions();
    parent->insertMenu(items.value(std::max(0, int(items.size()) - 5)), item);
    FSubItems.insert(id, item);
}

void TfrmMain::EntryEdited(int id)
{
    const int slot = FDesign.FindEntrySlot(id);
    if (QMenu *item = FSubItems.value(id); item && slot >= 0)
        item->setTitle(ShownCaption(FDesign.Entry(slot).Caption));
}

void TfrmMain::EntryRemoved(int id)
{
    if (QMenu *item = FSubItems.take(id)) {
        if (auto *parent = qobject_cast<QMenu *>(item->parent()))
            parent->removeAction(item->menuAction());
        Retire(item);
    }
    if (QToolButton *button = FButtons.take(id))
        Retire(button);
    if (QMenu *popup = FPopups.take(id)) {
        // Its sub-entries leave with it: nothing reaches them any more.
        for (auto it = FSubItems.begin(); it != FSubItems.end();)
            it.value() && it.value()->parent() == popup ? it = FSubItems.erase(it) : ++it;
        Retire(popup);
    }
    LayoutVerticalMenuPanel();
}

void TfrmMain::ClearMainMenuButtons()
{
    for (const QPointer<QToolButton> &b : FButtons)
        Retire(b.data());
    for (const QPointer<QMenu> &m : FPopups)
        Retire(m.data());
    FButtons.clear();
    FPopups.clear();
    FSubItems.clear();
}

QToolButton *TfrmMain::MenuButtonOfEntry(int id) const
{
    return FButtons.value(id);
}

QMenu *TfrmMain::PopupOfEntry(int id) const
{
    return FPopups.value(id);
}

void TfrmMain::RecaptionMenuPopupItems()
{
    const std::pair<const QString *, int> rules[] = {{&MainEditPrefix, 27}, {&MainRemovePrefix, 28},
                                                     {&MainCreatePrefix, 26}, {&SubEditPrefix, 6},
                                                     {&SubRemovePrefix, 5}};
    for (QAction *item : findChildren<QAction *>())
        for (const auto &[prefix, message] : rules)
            if (item->objectName().contains(*prefix))
                item->setText(LangMsg(message));
}

// ---- The toolbar -----------------------------------------------------------------------------

QToolButton *TfrmMain::CreateMenuButton(int slot)
{
    const TFlashMenuItem &e = FDesign.Entry(slot);
    auto *button = new QToolButton(tbrMenus);
    button->setText(ShownCaption(e.Caption));
    button->setProperty("Tag", slot);
    button->setMenu(FPopups.value(e.Id));
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumSize(76, 21);
    // Every button is painted on the same light blue before its caption and arrow.
    button->setStyleSheet(QStringLiteral(
        "QToolButton { background-color: #BBD7FF; color: black; border: 1px solid #7A9CC8; border-radius: 2px;"
        " padding: 2px 18px 2px 6px; }"
        "QToolButton:hover { border-color: #2F64B0; }"
        "QToolButton::menu-button { border-left: 1px solid #7A9CC8; width: 14px; }"));
    connect(button, &QToolButton::clicked, this, [this, button] { PopupButtonDropdown(button); });
    return button;
}

void TfrmMain::RebuildMenuToolbar()
{
    if (!tbrMenus)
        return;
    const bool horizontal = FDesign.IsHorizontal();
    auto *layout = qobject_cast<QBoxLayout *>(tbrMenus->layout());
    if (!layout) {
        layout = new QBoxLayout(QBoxLayout::LeftToRight, tbrMenus);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->setSpacing(2);
    }
    for (const QPointer<QToolButton> &b : FButtons)
        if (b) {
            layout->removeWidget(b);
            Retire(b.data());
        }
    FButtons.clear();
    layout->setDirection(horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    layout->setAlignment(horizontal ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignTop);
    for (int slot = 0; slot < FDesign.MenuEntryCount(); ++slot) {
        const TFlashMenuItem &e = FDesign.Entry(slot);
        if (e.Id == -1 || !e.OnToolbar)
            continue;
        QToolButton *button = CreateMenuButton(slot);
        // In the column every entry has a row of its own, as wide as the column is now and after
        // any later change of its width.
        if (!horizontal)
            button->setSizePolicy(QSizePolicy::Expanding, button->sizePolicy().verticalPolicy());
        layout->addWidget(button);
        button->show();
        FButtons.insert(e.Id, button);
    }
    const QSize needed = layout->sizeHint();
    const int extent = horizontal ? needed.width() : needed.height();
    SetAlignExtent(tbrMenus, extent);
    // The strip scrolls rather than squeezing the buttons and the hint picture out of sight.
    const QSize picture = imgMenuBarHint->pixmap().size();
    if (horizontal)
        panMenuButtonsClient->setMinimumSize(extent + picture.width(), 0);
    else
        panMenuButtonsClient->setMinimumSize(0, extent + picture.height());
    LayoutVerticalMenuPanel();
}

QAction *TfrmMain::AddMainMenuButton(const QString &position, const QString &caption, bool noRebuild,
                                     const QString &target, const QString &href)
{
    const int id = FDesign.AddMainMenuEntry(position, caption, noRebuild, target, href);
    if (id < 0)
        return nullptr;
    return findChild<QAction *>(MainCreatePrefix + QString::number(id));
}

void TfrmMain::PopupButtonDropdown(QToolButton *button)
{
    if (QMenu *menu = button ? button->menu() : nullptr)
        menu->popup(button->mapToGlobal(button->rect().bottomLeft()));
}

void TfrmMain::PumOnPopup(QMenu *menu)
{
    for (const QPointer<QToolButton> &b : FButtons)
        if (b && b->menu() == menu && b->isDown())
            b->setDown(false);
}

// ---- Adding and editing --------------------------------------------------------------------

bool TfrmMain::EditMenuDialog(QString &name, QString &url, const QString &caption, QString &position, QString &target)
{
    TEditMenuValues values;
    values.Name = name;
    values.Url = url;
    values.Target = target;
    values.Positions << TMenuPositionItem{LangMsg(29), 0} << TMenuPositionItem{LangMsg(30), 0};
    for (int slot = 0; slot < FDesign.MenuEntryCount(); ++slot) {
        const TFlashMenuItem &e = FDesign.Entry(slot);
        if (!e.OnToolbar || e.Caption == name)
            continue;
        values.Positions << TMenuPositionItem{
            TrimText(LangMsg(31) + QStringLiteral(" [") + e.Caption + QStringLiteral("] ") + LangMsg(101)), slot + 1};
    }
    if (!FDialogs.EditMenu || !FDialogs.EditMenu(values, caption))
        return false;
    name = values.Name;
    url = values.Url;
    target = values.Target;
    if (values.Position >= 0 && values.Position < values.Positions.size()) {
        const TMenuPositionItem &chosen = values.Positions[values.Position];
        if (chosen.Text == LangMsg(29))
            position.clear();
        else if (chosen.Text == LangMsg(30))
            position = QStringLiteral("0");
        else
            position = QString::number(chosen.Number);
    }
    FDesign.SetModified(true);
    return true;
}

void TfrmMain::a_AddMenuButtonExecute()
{
    QString name, url, position;
    QString target = QStringLiteral("mainFrame");
    if (!EditMenuDialog(name, url, QString(), position, target) || name.isEmpty())
        return;
    AddMainMenuButton(position, name, false, target, url);
    LayoutVerticalMenuPanel();
}

void TfrmMain::imgMenuBarHintClick()
{
    btnAddMenu->click();
}

void TfrmMain::panMenuSpaceDblClick()
{
    btnAddMenu->click();
}

void TfrmMain::AddSubMenuEntryClick(QAction *item)
{
    const int parentId = item->data().toInt();
    if (!FDesign.PrepareSubEntrySlot())
        return;  // the table is full: nothing is added
    TFlashMenuItem prepared = FDesign.Entry(FDesign.MenuEntryCount());
    if (!FDialogs.EditMenuItem || !FDialogs.EditMenuItem(prepared, QString())
        || FDesign.AddSubMenuEntry(parentId, prepared.Caption, prepared.Target, prepared.Href) < 0)
        return;
    FDesign.SetModified(true);
    RefreshPreview();
}

void TfrmMain::EditMenuEntryClick(QAction *item)
{
    const int tag = item->data().toInt();
    const int slot = tag < 0 ? -1 : FDesign.FindEntrySlot(tag);
    if (slot < 0)
        return;
    const TFlashMenuItem entry = FDesign.Entry(slot);
    if (entry.ParentId < 1) {
        QString name = entry.Caption, url = entry.Href, target = entry.Target, position;
        if (!EditMenuDialog(name, url, LangMsg(2), position, target))
            return;
        FDesign.EditMenuEntry(tag, name, url, target, position);
        return;
    }
    TFlashMenuItem edited = entry;
    if (FDialogs.EditMenuItem && FDialogs.EditMenuItem(edited, LangMsg(1)))
        FDesign.EditMenuEntry(tag, edited.Caption, edited.Href, edited.Target, QString());
}

void TfrmMain::RemoveMenuEntryClick(QAction *item)
{
    FDesign.RemoveMenuEntryClick(item->data().toInt());
}
