#pragma once
// Fixtures and answering helpers for the tests of the designer's frames and dialogs.
#include "ColorGrid.h"
#include "Dialogs.h"
#include "FormLanguage.h"
#include "Messages.h"

#include <QTest>
#include <gtest/gtest.h>

// Every test starts and ends with the English texts and interface language.
class EnglishUi : public testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset()
    {
        SetDefaultTexts();
        SetFormLanguage(QStringLiteral("English"));
    }
};

// Installs a chooser for one scope and puts the previous one back.
template <typename Chooser, Chooser (*Set)(Chooser)>
class Answering {
public:
    explicit Answering(Chooser chooser) : m_previous(Set(std::move(chooser))) {}
    ~Answering() { Set(m_previous); }
    Answering(const Answering &) = delete;
    Answering &operator=(const Answering &) = delete;

private:
    Chooser m_previous;
};
using AnswerColor = Answering<ColorChooser, &SetColorChooser>;
using AnswerOpenFile = Answering<OpenFileChooser, &SetOpenFileChooser>;
using AnswerFont = Answering<FontChooser, &SetFontChooser>;

// A click in a cell of a 16-colour palette, as the user makes it.
inline void ClickCell(TColorGrid *grid, int cell)
{
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint((cell % 8) * 16 + 8, (cell / 8) * 16 + 8));
}
