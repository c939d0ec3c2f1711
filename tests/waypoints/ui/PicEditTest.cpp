#include "WidgetDriving.h"

#include "waypoints/ui/PicEdit.h"

#include <QApplication>
#include <QClipboard>

namespace {

class PicEditTest : public ::testing::Test {
protected:
    void SetUp() override { m_edit.SetMask(QStringLiteral("99'99.99")); }
    CPicEdit m_edit;
};

TEST_F(PicEditTest, TypingFillsThePlaceholdersAndSkipsLiterals)
{
    TypeKeys(m_edit, QStringLiteral("12a34"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("12'34.  "));
    EXPECT_EQ(m_edit.cursorPosition(), 6); // past the "." literal, on the next placeholder
    PressKey(m_edit, Qt::Key_Backspace);   // removes the 4, across the literal
    EXPECT_EQ(m_edit.text(), QStringLiteral("12'3 .  "));
    PressKey(m_edit, Qt::Key_Home);
    PressKey(m_edit, Qt::Key_Delete);
    EXPECT_EQ(m_edit.text(), QStringLiteral("23'  .  "));
    EXPECT_EQ(m_edit.Value(true), QStringLiteral("23"));
}

TEST_F(PicEditTest, ArrowsSkipLiteralsAndInsertCanToggleToOverwrite)
{
    m_edit.SetMaskedText(QStringLiteral("123456"));
    PressKey(m_edit, Qt::Key_Right);
    PressKey(m_edit, Qt::Key_Right);
    EXPECT_EQ(m_edit.cursorPosition(), 3);
    TypeKeys(m_edit, QStringLiteral("9")); // full: insertion refused
    EXPECT_EQ(m_edit.text(), QStringLiteral("12'34.56"));
    PressKey(m_edit, Qt::Key_Insert);
    TypeKeys(m_edit, QStringLiteral("9"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("12'94.56"));
    PressKey(m_edit, Qt::Key_Left);
    PressKey(m_edit, Qt::Key_Left);
    EXPECT_EQ(m_edit.cursorPosition(), 1);
}

TEST_F(PicEditTest, CutCopyAndPasteGoThroughTheMask)
{
    m_edit.SetMaskedText(QStringLiteral("123456"));
    m_edit.setSelection(0, 4);
    PressKey(m_edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("12'3"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("45'6 .  "));
    PressKey(m_edit, Qt::Key_Home);
    PressKey(m_edit, Qt::Key_V, Qt::ControlModifier); // the cut text back in, literal and all
    EXPECT_EQ(m_edit.text(), QStringLiteral("12'34.56"));
    QApplication::clipboard()->setText(QStringLiteral("ab"));
    PressKey(m_edit, Qt::Key_Home);
    PressKey(m_edit, Qt::Key_V, Qt::ControlModifier); // refused characters change nothing
    EXPECT_EQ(m_edit.text(), QStringLiteral("12'34.56"));
}

} // namespace
