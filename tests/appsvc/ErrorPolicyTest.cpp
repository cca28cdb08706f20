// The error-reporting policy: what each level records and shows, the end of the program asked
// for from the box, and a box that never claims a record that was not written.

#include "AppSvcTestSupport.h"
#include "ScopedProcessContext.h"
#include "SupLogReg.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace zv;
using namespace Qt::Literals::StringLiterals;
using zvtest::arrayOf;

namespace {

class ErrorPolicy : public zvtest::HeadlessTest {
protected:
    void SetUp() override {
        ctx->setUserName(u"jsilva"_s);
        ctx->setComputerName(u"pc-armazem"_s);
        ctx->setClock([] { return QDateTime(QDate(2026, 12, 7), QTime(14, 3, 7)); });
        log = std::make_unique<SupLogReg>();
        AppIdentity id;
        id.exeName = u"Gestor"_s;
        id.comments = u"Gestão de stocks"_s;
        id.major = 2;
        id.minor = 1;
        log->PrpApp(id);
        setLevel(1);
        log->ErrInfPrp(u"modImport"_s, u"Ler ficheiro"_s, Variant(u"53"_s), QString());
    }
    void setLevel(int level, const QString& file = u"err.log"_s) {
        log->PrpGrp(u"ERR"_s, u"Registo de Erros"_s, temp.path(file), Variant(int16_t(level)),
                    Variant(int16_t(1)));
    }
    QString logText() const { return QString::fromUtf8(temp.read(u"err.log"_s)); }

    std::unique_ptr<SupLogReg> log;
};

} // namespace

TEST_F(ErrorPolicy, LevelOneRecordsTheErrorWithItsInformationAndShowsNothing) {
    temp.write(u"err.log"_s, "início\n");
    log->ErrMsg(u"err"_s, arrayOf({Variant(), Variant(u"linha 12"_s), Variant(u"campo NIF"_s)}),
                arrayOf({Variant(), Variant(u"a"_s), Variant(u"b"_s)}));
    QFile golden(zvtest::dataPath(u"appsvc/log/error.log"_s));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(temp.read(u"err.log"_s), golden.readAll());
    EXPECT_TRUE(boxes().shown().empty());
}

TEST_F(ErrorPolicy, LevelZeroOrAnInactiveOrMissingKindDoesNothing) {
    setLevel(0);
    log->ErrMsg(u"ERR"_s);
    log->PrpOpcMre(u"ERR"_s, Variant(int16_t(3)));
    log->PrpOpcUso(u"ERR"_s, Variant(int16_t(0)));
    log->ErrMsg(u"ERR"_s);
    log->ErrMsg(u"NADA"_s);
    EXPECT_FALSE(QFile::exists(temp.path(u"err.log"_s)));
    EXPECT_TRUE(boxes().shown().empty());
}

TEST_F(ErrorPolicy, LevelThreeShowsTheErrorAndWhereItWasRecorded) {
    setLevel(3);
    log->ErrInfPrp(u"m"_s, u"o"_s, Variant(7.0), u"Memória"_s);
    log->ErrMsg(u"ERR"_s, Variant(u"só um"_s));
    ASSERT_EQ(boxes().shown().size(), 1u);
    const MessageBoxRequest& box = boxes().shown()[0].request;
    EXPECT_EQ(box.title, u"Mensagem de Erro");
    EXPECT_EQ(box.text, u"Erro : 7 - Memória\r\n\r\nO erro foi registado no ficheiro : "_s +
                            temp.path(u"err.log"_s));
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_EQ(box.buttons, MsgButtons::OK);
    EXPECT_TRUE(box.beep);
    // A single value is the first line of its block.
    EXPECT_TRUE(logText().contains(u"\nDiversos       : só um\n\n"_s));
    EXPECT_FALSE(logText().contains(u"Informação adicional"_s));
}

TEST_F(ErrorPolicy, LevelTwoAsksWhetherToEndAndYesEndsWithARecord) {
    setLevel(2);
    boxes().queueAnswers({MsgAnswer::No, MsgAnswer::Yes});
    log->ErrMsg(u"ERR"_s);
    ASSERT_EQ(boxes().shown().size(), 1u);
    const MessageBoxRequest& box = boxes().shown()[0].request;
    EXPECT_TRUE(box.text.endsWith(u"\r\n\r\nTerminar o programa imediatamente ?"_s));
    EXPECT_EQ(box.buttons, MsgButtons::YesNo);
    EXPECT_EQ(box.defaultButton, 2);
    EXPECT_FALSE(logText().contains(u"TERMINADO"_s));

    try {
        log->ErrMsg(u"ERR"_s);
        FAIL() << "no error raised";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), err::EndAsked);
    }
    EXPECT_TRUE(logText().endsWith(u"\n\nPrograma TERMINADO\n\n"_s));
    log->pMsgPgmFim(u"pedido"_s);
    EXPECT_TRUE(logText().endsWith(u"\nPrograma TERMINADO - pedido\n\n"_s));
}

TEST_F(ErrorPolicy, TheBoxSaysSoWhenTheErrorCouldNotBeRecorded) {
    QDir().mkpath(temp.path(u"pasta"_s));
    setLevel(3, u"pasta"_s);
    log->ErrMsg(u"ERR"_s);
    // The log's own box, then the error's, which does not claim the record.
    ASSERT_EQ(boxes().shown().size(), 2u);
    EXPECT_EQ(boxes().shown()[1].request.text,
              u"Erro :  53 - File not found\r\n\r\nNão foi possível registar o erro no "
              u"ficheiro : "_s +
                  temp.path(u"pasta"_s));
}

TEST_F(ErrorPolicy, InformationArraysStartAgainWithEachError) {
    log->PrpInfArr(u" e "_s, arrayOf({Variant(u"zero"_s), Variant(u"um"_s)}));
    log->PrpInfVop(u"E"_s, Variant(u"dois"_s), -1);
    EXPECT_EQ(zvtest::textOf(log->miscInfo().array().at1(2)), u"dois");
    EXPECT_TRUE(log->miscInfo().array().at1(0).isEmpty());   // the list starts at element 1
    log->PrpInfVop(u"A"_s, Variant(u"longe"_s), 2147483647); // no array reaches it
    EXPECT_EQ(log->additionalInfo().array().ubound(1), 0);

    log->PrpInfVop(u"A"_s, Variant(u"antigo"_s), 1);
    log->ErrMsg(u"ERR"_s);
    EXPECT_FALSE(logText().contains(u"antigo"_s));
    EXPECT_FALSE(logText().contains(u"Diversos"_s));
}
