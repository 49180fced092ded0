#include "fra_ColorEdit.h"

#include "Conversions.h"
#include "Dialogs.h"
#include "uGlobal.h"
#include "uProgramStart.h"

#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QToolButton>

TfraColorEdit::TfraColorEdit(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("fraColorEdit"));

    Panel7 = new QFrame(this);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    Panel7->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel7->setLineWidth(2);
    Panel7->setFixedSize(21, 21);
    imgColor = new QWidget(Panel7);
    imgColor->setObjectName(QStringLiteral("imgColor"));
    imgColor->setAutoFillBackground(true);
    auto *swatch = new QHBoxLayout(Panel7);
    swatch->setContentsMargins(2, 2, 2, 2);
    swatch->addWidget(imgColor);

    edColor = new QLineEdit(this);
    edColor->setObjectName(QStringLiteral("edColor"));
    edColor->setMaxLength(6);
    edColor->setReadOnly(true);
    edColor->installEventFilter(this);
    connect(edColor, &QLineEdit::textChanged, this, &TfraColorEdit::edColorChange);

    btnColorDialog = new QToolButton(this);
    btnColorDialog->setObjectName(QStringLiteral("btnColorDialog"));
    btnColorDialog->setText(QStringLiteral("..."));
    btnColorDialog->setFixedSize(21, 21);
    connect(btnColorDialog, &QToolButton::clicked, this, &TfraColorEdit::btnColorDialogClick);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(Panel7);
    layout->addWidget(edColor, 1);
    layout->addWidget(btnColorDialog);

    QPalette p = imgColor->palette();
    p.setColor(QPalette::Window, PlatformColorToQColor(FColor));
    imgColor->setPalette(p);
}

void TfraColorEdit::SetColor(int32_t color)
{
    FColor = color;
    QPalette p = imgColor->palette();
    p.setColor(QPalette::Window, PlatformColorToQColor(color));
    imgColor->setPalette(p);

    {
        const QScopedValueRollback quiet(FSettingText, true);
        edColor->setText(ColorToHtmlHex(color));
    }

    if (OnColorChange)
        OnColorChange(this);
}

QString TfraColorEdit::GetColorHex() const { return ColorToHtmlHex(GetColor()); }

void TfraColorEdit::SetColorFromRgbText(const QString &text) { SetColor(SwapRedBlue(StrToInt(text))); }

void TfraColorEdit::SetReadOnly(bool value)
{
    if (value == FReadOnly)
        return;
    FReadOnly = value;
    edColor->setReadOnly(value);
    QPalette p = edColor->palette();
    p.setColor(QPalette::Base, palette().color(value ? QPalette::Button : QPalette::Base));
    edColor->setPalette(p);
    btnColorDialog->setEnabled(!value);
}

void TfraColorEdit::BindColorDialogButton(std::function<void()> handler)
{
    disconnect(btnColorDialog, &QToolButton::clicked, this, nullptr);
    connect(btnColorDialog, &QToolButton::clicked, this, [handler = std::move(handler)] { handler(); });
}

void TfraColorEdit::btnColorDialogClick()
{
    if (const auto chosen = ChooseColor(PlatformColorToQColor(GetColor()), this))
        SetColor(QColorToPlatformColor(*chosen));
}

void TfraColorEdit::edColorChange()
{
    if (FSettingText)
        return;
    QString text = edColor->text();
    if (text.size() < 6)
        return;
    if (text.startsWith(QLatin1Char('#')))
        text.remove(0, 1);
    GuardSlot([&] { SetColor(HtmlHexToColor(text)); });
}

void TfraColorEdit::edColorExit()
{
    const QString text = edColor->text();
    if (text == GetColorHex())
        return;
    GuardSlot([&] { SetColor(HtmlHexToColor(text)); });
}

bool TfraColorEdit::eventFilter(QObject *watched, QEvent *event)
{
    // Focus lost to another control counts; the window losing activation (a box, another
    // program) does not, as the user has not left the field.
    if (watched == edColor && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            edColorExit();
    }
    return QWidget::eventFilter(watched, event);
}
