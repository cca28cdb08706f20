// The Qt message box and input box, driven like a person would: a timer finds the dialog, checks
// what it shows and presses a button, closes it or presses Escape.
#include "QtMessageBox.h"
#include "UiTestSupport.h"
#include "VbForm.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zv;
using zvtest::onModal;

namespace {

enum class Act { Press, Enter, Escape, CloseBox };

struct BoxCase {
    const char* name;
    MsgButtons buttons;
    MsgIcon icon;
    int defaultButton;
    Act act;
    QMessageBox::StandardButton pressed; // for Press
    QMessageBox::StandardButtons expectButtons;
    QMessageBox::Icon expectIcon;
    QMessageBox::StandardButton expectDefault;
    MsgAnswer expectAnswer;
};

class QtMessageBoxCases : public ::testing::TestWithParam<BoxCase> {};

} // namespace

TEST_P(QtMessageBoxCases, ShowsTheRequestAndAnswersTheButton) {
    const BoxCase& c = GetParam();
    MessageBoxRequest request;
    request.title = QStringLiteral("Vynnard");
    request.text = QStringLiteral("Linha 1\r\nLinha 2\rfim\t<b>x</b>");
    request.buttons = c.buttons;
    request.icon = c.icon;
    request.defaultButton = c.defaultButton;
    bool seen = false;
    onModal<QMessageBox>([&](QMessageBox* box) {
        seen = true;
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Vynnard"));
        EXPECT_EQ(box->text(), QStringLiteral("Linha 1\nLinha 2\nfim\t<b>x</b>"));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), c.expectIcon);
        EXPECT_EQ(box->standardButtons(), c.expectButtons);
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->standardButton(box->defaultButton()), c.expectDefault);
        switch (c.act) {
        case Act::Press:
            QTest::mouseClick(box->button(c.pressed), Qt::LeftButton);
            break;
        case Act::Enter:
            QTest::keyClick(box, Qt::Key_Return);
            break;
        case Act::Escape:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case Act::CloseBox:
            box->close();
            break;
        }
    });
    QtMessageBox service;
    EXPECT_EQ(service.show(request), c.expectAnswer);
    EXPECT_TRUE(seen);
}

using SB = QMessageBox;
INSTANTIATE_TEST_SUITE_P(
    EachKind, QtMessageBoxCases,
    ::testing::Values(
        // "" codes: information, OK.
        BoxCase{"InformationOk", MsgButtons::OK, MsgIcon::Information, 1, Act::Press, SB::Ok,
                SB::Ok, SB::Information, SB::Ok, MsgAnswer::OK},
        // A plain box without an icon; closing answers OK, its only button.
        BoxCase{"NoIconCloseBox",
                MsgButtons::OK,
                MsgIcon::None,
                1,
                Act::CloseBox,
                {},
                SB::Ok,
                SB::NoIcon,
                SB::Ok,
                MsgAnswer::OK},
        // "X _B": critical.
        BoxCase{"CriticalEnter",
                MsgButtons::OK,
                MsgIcon::Critical,
                1,
                Act::Enter,
                {},
                SB::Ok,
                SB::Critical,
                SB::Ok,
                MsgAnswer::OK},
        // "? SN 2": Yes/No, No default; Enter answers No, Yes when pressed, Escape No.
        BoxCase{"YesNoEnterTakesNo",
                MsgButtons::YesNo,
                MsgIcon::Question,
                2,
                Act::Enter,
                {},
                SB::Yes | SB::No,
                SB::Question,
                SB::No,
                MsgAnswer::No},
        BoxCase{"YesNoPressYes", MsgButtons::YesNo, MsgIcon::Question, 2, Act::Press, SB::Yes,
                SB::Yes | SB::No, SB::Question, SB::No, MsgAnswer::Yes},
        BoxCase{"YesNoEscape",
                MsgButtons::YesNo,
                MsgIcon::Question,
                1,
                Act::Escape,
                {},
                SB::Yes | SB::No,
                SB::Question,
                SB::Yes,
                MsgAnswer::No},
        // "SNC 3": Cancel default; the close box answers Cancel.
        BoxCase{"YesNoCancelEnterTakesCancel",
                MsgButtons::YesNoCancel,
                MsgIcon::Exclamation,
                3,
                Act::Enter,
                {},
                SB::Yes | SB::No | SB::Cancel,
                SB::Warning,
                SB::Cancel,
                MsgAnswer::Cancel},
        BoxCase{"YesNoCancelCloseBox",
                MsgButtons::YesNoCancel,
                MsgIcon::Information,
                1,
                Act::CloseBox,
                {},
                SB::Yes | SB::No | SB::Cancel,
                SB::Information,
                SB::Yes,
                MsgAnswer::Cancel},
        // "SC": OK and Cancel.
        BoxCase{"OkCancelPressCancel", MsgButtons::OKCancel, MsgIcon::Information, 1, Act::Press,
                SB::Cancel, SB::Ok | SB::Cancel, SB::Information, SB::Ok, MsgAnswer::Cancel},
        // A default the box lacks means the first button.
        BoxCase{"MissingDefaultIsTheFirst",
                MsgButtons::OKCancel,
                MsgIcon::Information,
                3,
                Act::Enter,
                {},
                SB::Ok | SB::Cancel,
                SB::Information,
                SB::Ok,
                MsgAnswer::OK},
        // The sets scripts may ask for: Escape answers Abort, Cancel.
        BoxCase{"AbortRetryIgnoreEscape",
                MsgButtons::AbortRetryIgnore,
                MsgIcon::Critical,
                2,
                Act::Escape,
                {},
                SB::Abort | SB::Retry | SB::Ignore,
                SB::Critical,
                SB::Retry,
                MsgAnswer::Abort},
        BoxCase{"AbortRetryIgnorePressIgnore", MsgButtons::AbortRetryIgnore, MsgIcon::Critical, 1,
                Act::Press, SB::Ignore, SB::Abort | SB::Retry | SB::Ignore, SB::Critical, SB::Abort,
                MsgAnswer::Ignore},
        BoxCase{"RetryCancelEscape",
                MsgButtons::RetryCancel,
                MsgIcon::Exclamation,
                1,
                Act::Escape,
                {},
                SB::Retry | SB::Cancel,
                SB::Warning,
                SB::Retry,
                MsgAnswer::Cancel}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

TEST(QtMessageBox, TheNamedWindowOwnsTheBox) {
    VbForm form;
    form.showForm();
    MessageBoxRequest request;
    request.text = QStringLiteral("Erro");
    request.parent = form.hwnd();
    QWidget* owner = nullptr;
    onModal<QMessageBox>([&](QMessageBox* box) {
        owner = box->parentWidget();
        box->close();
    });
    QtMessageBox().show(request);
    EXPECT_EQ(owner, &form);
}

TEST(QtMessageBox, InputBoxAnswersTheTextOrNothing) {
    InputBoxRequest request;
    request.prompt = QStringLiteral("Nome da pasta:\r\n(sem espaços)");
    request.title = QStringLiteral("Instalar");
    request.defaultText = QStringLiteral("/opt/zelvyn");
    onModal<QInputDialog>([&](QInputDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Instalar"));
        EXPECT_EQ(d->labelText(), QStringLiteral("Nome da pasta:\n(sem espaços)"));
        EXPECT_EQ(d->textValue(), QStringLiteral("/opt/zelvyn"));
        d->findChild<QLineEdit*>()->setText(QStringLiteral("/opt/outra"));
        QTest::keyClick(d, Qt::Key_Return);
    });
    QtMessageBox service;
    EXPECT_EQ(service.input(request), std::optional<QString>(QStringLiteral("/opt/outra")));

    onModal<QInputDialog>([](QInputDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
    EXPECT_EQ(service.input(request), std::nullopt);
}
