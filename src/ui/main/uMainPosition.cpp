// The position editor: six elements of the menu, two track bars along the preview, guide lines over
// it and the read-out naming the element and its position; and the menu-spacing slider.
#include "Messages.h"
#include "uMain.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QWebEngineView>

int &TfrmMain::ElementX(int element)
{
    TXMLStoreOptions &o = FDesign.FStoreOptions;
    switch (element) {
    case 1: return FDesign.FLogoX;
    case 2: return o.TitleX;
    case 3: return o.DescX;
    case 4: return FDesign.FIconInfo.X;
    case 5: return o.MusicX;
    default: return FDesign.FMenuX;
    }
}

int &TfrmMain::ElementY(int element)
{
    TXMLStoreOptions &o = FDesign.FStoreOptions;
    switch (element) {
    case 1: return FDesign.FLogoY;
    case 2: return o.TitleY;
    case 3: return o.DescY;
    case 4: return FDesign.FIconInfo.Y;
    case 5: return o.MusicY;
    default: return FDesign.FMenuY;
    }
}

QRadioButton *TfrmMain::ElementRadio(int element) const
{
    QRadioButton *const radios[] = {rbMenu, rbLogo, rbTitle, rbDescription, rbIconLinks, rbMusicOnOff};
    return radios[std::clamp(element, 0, 5)];
}

int TfrmMain::SelectedElement() const
{
    if (FDesign.IsHorizontal())
        return SelectedRadioElement();
    return std::clamp(cbAdjPos->currentIndex(), 0, 5);
}

void TfrmMain::ShowGuides(bool vertical, bool horizontal)
{
    pnlVerticalDotline->setVisible(vertical);
    pnlHorizontalDotline->setVisible(horizontal);
    if (vertical)
        pnlVerticalDotline->raise();
    if (horizontal)
        pnlHorizontalDotline->raise();
}

void TfrmMain::rbLogoClick(QRadioButton *sender)
{
    if (FDesign.FLoading)
        return;
    TFlagGuard reading(FDesign.FReadingXml, 1);
    int element = 0;
    for (int i = 0; i < 6; ++i)
        if (ElementRadio(i) == sender)
            element = i;
    trbTrackX->setValue(ElementX(element));
    trbTrackY->setValue(ElementY(element));
    pnlVerticalDotline->move(trbTrackX->value() + 2, 0);
    pnlHorizontalDotline->move(0, WebBrowser->y() + trbTrackY->value() + 2);
    ShowGuides(true, true);
    UpdatePositionHints();
}

void TfrmMain::cbAdjPosChange()
{
    if (FDesign.FLoading)
        return;
    TFlagGuard reading(FDesign.FReadingXml, 1);
    QRadioButton *radio = ElementRadio(cbAdjPos->currentIndex());
    radio->setChecked(true);
    rbLogoClick(radio);
    pnlVerticalDotline->move(trbTrackX->value() + 2, 0);
    pnlHorizontalDotline->move(0, WebBrowser->y() + trbTrackY->value() + 2);
    ShowGuides(true, true);
    UpdatePositionHints();
}

void TfrmMain::trbTrackXChange()
{
    TrackChange(true);
}

void TfrmMain::trbTrackYChange()
{
    TrackChange(false);
}

void TfrmMain::TrackChange(bool xAxis)
{
    if (FDesign.FLoading)
        return;
    if (xAxis)
        pnlVerticalDotline->move(trbTrackX->value() + (FDesign.IsHorizontal() ? 2 : 4), 0);
    else
        pnlHorizontalDotline->move(0, WebBrowser->y() + trbTrackY->value() + 2);
    ShowGuides(xAxis, !xAxis);
    if (!FDesign.FReadingXml) {
        (xAxis ? ElementX(SelectedElement()) : ElementY(SelectedElement())) = (xAxis ? trbTrackX : trbTrackY)->value();
        MarkChanged();
    }
    UpdatePositionHints();
    // A running timer is not restarted: the guide goes 1500 ms after the move that started it.
    if (!timerSlider->isActive())
        timerSlider->start();
    ScheduleRefresh();
}

void TfrmMain::timerSliderTimer()
{
    ShowGuides(false, false);
    timerSlider->stop();
}

void TfrmMain::UpdatePositionHints()
{
    const int element = SelectedElement();
    const QString name = FDesign.IsHorizontal() ? ElementRadio(element)->text() : cbAdjPos->itemText(element);
    const QString x = QString::number(trbTrackX->value()), y = QString::number(trbTrackY->value());
    pnlXYShows->setText(name + QLatin1Char(' ') + LangMsg(17) + QStringLiteral(" (") + x + QStringLiteral(", ") + y
                        + QLatin1Char(')'));
    trbTrackX->setToolTip(name + QLatin1Char(' ') + LangMsg(18) + QStringLiteral(": ") + x + QLatin1Char(' ') + LangMsg(19));
    trbTrackY->setToolTip(name + QLatin1Char(' ') + LangMsg(20) + QStringLiteral(": ") + y + QLatin1Char(' ') + LangMsg(21));
}

void TfrmMain::RefreshPositionHints()
{
    UpdatePositionHints();
}

void TfrmMain::ShowMenuPosition(int x, int y)
{
    if (!rbMenu->isChecked())
        rbMenu->setChecked(true);
    if (cbAdjPos->count() > 0)
        cbAdjPos->setCurrentIndex(0);
    trbTrackX->setValue(x);
    trbTrackY->setValue(y);
}

void TfrmMain::UpdateTrackXRange()
{
    const int w = FDesign.FStoreOptions.BackgroundWidth;
    const int b = WebBrowser->width();
    if (w <= 0)
        return;
    const int maximum = w < b - 4 ? w - 1 : b;
    SetTrackMaximum(trbTrackX, maximum);
    trbTrackX->resize(maximum + 23, trbTrackX->height());
}

void TfrmMain::SetTrackMaximum(QSlider *track, int maximum)
{
    // A range change moves no stored position and marks nothing: only the user's move stores.
    const QSignalBlocker block(track);
    track->setMaximum(maximum);
    const int element = SelectedElement();
    track->setValue(track == trbTrackX ? ElementX(element) : ElementY(element));
    UpdatePositionHints();
}

void TfrmMain::pnlWebBrowserBorderResize()
{
    UpdateTrackXRange();
    pnlHorizontalDotline->resize(pnlWebBrowserBorder->width(), 1);
    pnlVerticalDotline->resize(1, pnlWebBrowserBorder->height());
    ScheduleRefresh();
}

void TfrmMain::tbMenuSpacingChange()
{
    lblMenuSpacing->setText(LangMsg(22) + QStringLiteral(" = ") + QString::number(tbMenuSpacing->value()));
    if (!FShowingValues)
        FDesign.Controls.MenuSpacing = tbMenuSpacing->value();
    MarkChanged();
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pnlWebBrowserBorder && event->type() == QEvent::Resize) {
        pnlWebBrowserBorderResize();
    } else if (watched == pnlHTMLSettings && event->type() == QEvent::Resize) {
        FitMetaTagsWidth();
    } else if (watched == imgMenuBarHint && event->type() == QEvent::MouseButtonRelease) {
        imgMenuBarHintClick();
    } else if (watched == panMenuSpace && event->type() == QEvent::MouseButtonDblClick) {
        panMenuSpaceDblClick();
    } else if (watched == memoDescription && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;  // the description is one line in the page
    }
    return QMainWindow::eventFilter(watched, event);
}
