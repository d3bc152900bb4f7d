// Texts between item bytes and widgets: bytes the code page cannot show survive an edit.
#include "panel/ansi_text.h"

#include <gtest/gtest.h>

#include "panel/result_text_dlg.h"
#include "tests/panel/panel_fixture.h"

namespace quorin::test {
namespace {

TEST(AnsiText, BytesShownAsReplacementCharactersGoBackAsThoseBytes) {
    EXPECT_EQ(FromAnsi("a\xFF\xA1\x40"), QStringLiteral("a\uFFFD\uE4C6"));
    const struct {
        std::string original;
        QString edited;
        std::string stored;  // empty: refused
    } cases[] = {
        {"x\xFFy", QStringLiteral("x\uFFFDy"), "x\xFFy"},                        // unchanged
        {"\x80x\xFF", QStringLiteral("\uFFFDyz\uFFFD"), "\x80yz\xFF"},           // edited between
        {"\xFFxy\x80", QStringLiteral("\uFFFDx\r\ny\uFFFD"), "\xFFx\r\ny\x80"},  // breaks
        {"\x80\x81", QStringLiteral("\uFFFD"), "\x80"},                          // one deleted
        {"xy", QStringLiteral("x\uFFFDy"), ""},                                  // typed
        {"", QString(QChar(0xDCFF)), ""},                                        // no bytes typed
    };
    for (const auto& c : cases) {
        std::string stored;
        QString error;
        EXPECT_EQ(ToAnsi(c.edited, &stored, &error, c.original), !c.stored.empty());
        EXPECT_EQ(stored, c.stored) << c.edited.toStdString();
        EXPECT_EQ(error.isEmpty(), !c.stored.empty()) << error.toStdString();
    }
}

TEST(AnsiText, TheResultDialogGivesBackTheBytesItWasShown) {
    const std::string bytes = "ok\xFF\xB2";  // a byte GBK lacks, a lead byte at the end
    CResultTextDlg dialog(QStringLiteral("Row"), FromAnsi(bytes));
    dialog.KeepBytesOf(bytes);
    EXPECT_EQ(Edit(dialog, "resultEdit")->toPlainText(), QStringLiteral("ok\uFFFD\uFFFD"));
    dialog.accept();
    EXPECT_EQ(dialog.AnsiResult(), bytes);
}

}  // namespace
}  // namespace quorin::test
