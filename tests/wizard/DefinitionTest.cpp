// The wizard definition read into the engine's tables, with a recording script host: pages,
// buttons, controls, the script variables after every zone, the window settings, folder keys
// and option values, and the converters of the controls' values.

#include "FakeVbsHost.h"
#include "ScopedProcessContext.h"
#include "SupVyn.h"
#include "TestSupport.h"
#include "WizardTestSupport.h"
#include "ZelVynGlb.h"
#include "ZelVynGlbCnv.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace zv;

namespace {

using zvtest::kDefinitionHeader;

class Definition : public zvtest::HeadlessTest {
protected:
    Definition() {
        zvtest::useSampleDefinition(ctx);
        ZelVynGlbState& g = zelVynGlbState();
        g.LtrCd = QStringLiteral("/");
        g.DrvCd = QStringLiteral("/");
        engine.setVbsFactory([this] { return host; });
    }
    ~Definition() override { zelVynGlbReset(); }

    // Reads a definition written from zone texts (a header is put in front).
    void readInline(const QString& zones) {
        const QString path =
            temp.write(QStringLiteral("def.par"), (kDefinitionHeader + zones).toUtf8());
        zelVynGlbState().VynFpa = path;
        engine.ParLer(path);
    }
    void readSample() { engine.ParLer(zelVynGlbState().VynFpa); }

    const TraDef& tra(int page, int k) const { return engine.pageTable().at(page).Tra.at(k); }
    const CmpDef& cmp(int i) const { return engine.controlTable().at(i); }
    double number(const QString& name) const { return toDouble(host->var(name)); }

    std::shared_ptr<zvtest::FakeVbsHost> host = std::make_shared<zvtest::FakeVbsHost>();
    SupVyn engine;
};

} // namespace

TEST_F(Definition, SampleIntoItsTables) {
    readSample();
    // Pages: IDE, entry and exit procedures, picture, and their range of controls.
    ASSERT_EQ(engine.PagNum(), 3);
    const QString pages[] = {"||||0 0 1", "INICIO|PagIniEnt|||2 3 2", "LICENCA||LicSai||4 5 2",
                             "PASTA|||imagens/pasta.bmp|6 11 6"};
    for (int p = 0; p <= 3; ++p) {
        const PagDef& d = engine.pageTable()[p];
        EXPECT_EQ(
            QStringList({d.IDE, d.FxPagEnt, d.FxPagSai, d.Img,
                         QStringLiteral("%1 %2 %3").arg(d.CmpIni).arg(d.CmpFim).arg(d.CmpNum)})
                .join(u'|'),
            pages[p]);
    }
    // Buttons: a default position from its point (evaluated when the zone was read), a plain
    // POS used as written, the later of two Next zones, an unknown button stored nowhere.
    struct Button {
        int page, k;
        const char* fields; // IDE|DES|POS|SIT|TRATIP|TRAPAG|TRAFX|X Y
    };
    const Button buttons[] = {
        {1, TraAnt, "|||||||0 0"},
        {1, TraSeg, "SEG|Seguinte >|420, 440|||||6300 6600"},
        {1, TraCan, "CAN|Cancelar|10, 440||FIM|||150 6600"},
        {2, TraAnt, "ANT|< Anterior|330, 440|||||4950 6600"},
        {2, TraSeg, "seg|Aceitar >|500, 440|VER,DES|FX||LicSeg|7500 6600"},
        {3, TraAnt, "ANT|< Voltar|330, 440||PAG|INICIO||4950 6600"},
        {3, TraCnf, "CNF|Instalar|400, 440||FX||Instalar|6000 6600"},
        {3, TraCan, "|||||||0 0"},
    };
    for (const Button& b : buttons) {
        const TraDef& t = tra(b.page, b.k);
        EXPECT_EQ(QStringList({t.IDE, t.DES, t.POS, t.SIT, t.TRATIP, t.TRAPAG, t.TRAFX,
                               QStringLiteral("%1 %2").arg(t.X).arg(t.Y)})
                      .join(u'|'),
                  QString::fromUtf8(b.fields))
            << b.page << " " << b.k;
    }
    int number = 0;
    engine.PagLoc(QStringLiteral(" pasta "), number);
    EXPECT_EQ(number, 3);
    engine.PagLoc(QStringLiteral("FIM"), number);
    EXPECT_EQ(number, -1);

    // Controls as the zones give them; a text that is a bracketed option became its value.
    const char* controls[] = {"",
                              "LAB|laMarca|ZelVyn",
                              "LAB|laTit|Bem-vindo à instalação",
                              "LAB|laVer|2.5",
                              "RTF|rtfLic|[[DirPgm]/licenca.rtf]",
                              "CKB|ckAceito|Aceito os termos da licença",
                              "OPC|opcDestino|",
                              "OPCTXT||Pasta do programa|/opt/zelvyn",
                              "OPCTXT||Pasta pessoal|~/zelvyn",
                              "OPCTXT||Outra pasta",
                              "LAB|laNota|[SemOpcao] fica como está",
                              "XYZ|xyz|"};
    ASSERT_EQ(engine.CmpNum(), 11);
    for (int i = 1; i <= 11; ++i) {
        const CmpDef& c = cmp(i);
        QStringList f{c.Tip, c.Ide, c.Txt};
        if (!c.Adi.isEmpty()) f << c.Adi;
        EXPECT_EQ(f.join(u'|'), QString::fromUtf8(controls[i])) << i;
    }
    EXPECT_EQ(cmp(2).Pos, QStringLiteral("PtTit_X, PtTit_Y"));
    EXPECT_EQ(cmp(2).Fon, QStringLiteral("DejaVu Sans,14,Bold Italic"));
    EXPECT_EQ(cmp(10).Sit, QStringLiteral("INV"));

    // The entries of "VAR", "PON" and "ZON" in file order.
    ASSERT_EQ(engine.ZpoNum(), 8);
    const ZpoDef& seg = engine.zpoTable()[5];
    EXPECT_EQ(QStringList({seg.Ide, seg.Des, seg.Tip, seg.Val}).join(u'|'),
              QStringLiteral("AUT_TraPosSeg|Botão Seguinte|P|xMax - 180, yMax - 40"));
}

TEST_F(Definition, ScriptVariablesAfterEveryZone) {
    readSample();
    // xMax from DimX (600 pixels), yMax the designed height (DimY is "auto").
    const std::pair<const char*, double> numbers[] = {{"xMax", 600},
                                                      {"yMax", 480},
                                                      {"Margem", 20},
                                                      {"LargUtil", 560},
                                                      {"AUT_TraPosCan_X", 510},
                                                      {"AUT_TraPosCan_Y", 440},
                                                      {"PtTit_Y", 20},
                                                      {"ZnTxt_X1", 20},
                                                      {"ZnTxt_Y1", 60},
                                                      {"ZnTxt_X2", 580},
                                                      {"ZnTxt_Y2", 420}};
    for (const auto& [name, value] : numbers)
        EXPECT_EQ(number(name), value) << name;
    EXPECT_EQ(host->var("Produto").rawString(), QStringLiteral("ZelVyn 2.5"));

    // Defined again after the zones that can change them (VariablesDefinedAgainWhenTheyCanChange):
    // the first zone, the three zones of variables and the two script zones.
    EXPECT_EQ(host->statements.count(QStringLiteral("xMax=600")), 6);

    // Two script zones: each reset the engine; the code is the second one's.
    EXPECT_EQ(host->resets, 2);
    ASSERT_EQ(host->codes.size(), 2);
    EXPECT_EQ(host->codes[0], (QStringList{QString(), "Sub PagIniEnt()", "End Sub"}));
    EXPECT_TRUE(host->codes[1].contains(QStringLiteral("Function LicSeg(pag)")));

    // The folders as string variables.
    EXPECT_EQ(host->var("DirPgm").rawString(), zelVynGlbState().DirPgm);
    EXPECT_EQ(host->var("DirBas").rawString(), QString());
    EXPECT_TRUE(
        host->statements.contains(QStringLiteral("VynFpa=\"%1\"").arg(zelVynGlbState().VynFpa)));

    // The settings of the last "DEF" zone.
    const ZelVynGlbState& g = zelVynGlbState();
    EXPECT_EQ(g.TitVyn, QStringLiteral("Instalação do ZelVyn 2.5"));
    EXPECT_EQ(g.MsgCan, QStringLiteral("Terminar a instalação ?"));
    EXPECT_EQ(g.imgFunPath, g.DirPgm + QStringLiteral("/imagens/fundo.bmp"));
    EXPECT_EQ(g.imgIcoPath, g.imgFunPath); // "[ImgFun]" is the path read just before
    EXPECT_EQ(g.dimX.rawDouble(), 9000);
    EXPECT_EQ(toText(g.dimY), QStringLiteral("AUTO"));
    EXPECT_EQ(g.optionReader, nullptr); // released once the definition is read
}

TEST_F(Definition, DebugModeReplacesTheFolders) {
    readInline(QStringLiteral("#DEF:IDE\n"
                              "Depurar     [DbgModo]=N\n"
                              "Letra       [DbgLtrCd]=/media/cd\n"
                              "Pasta       [DbgDirPgm]=/media/cd/zelvyn\n"
                              "##\n"
                              "#VBS:TX\nDim x\n##\n"));
    const ZelVynGlbState& g = zelVynGlbState();
    EXPECT_EQ(g.LtrCd, QStringLiteral("/media/cd"));
    EXPECT_EQ(g.DrvCd, QStringLiteral("/media/cd")); // no stray ":"
    EXPECT_EQ(g.DirPgm, QStringLiteral("/media/cd/zelvyn"));
    EXPECT_EQ(host->var("DirPgm").rawString(), QStringLiteral("/media/cd/zelvyn"));
    EXPECT_EQ(host->var("DrvCd").rawString(), QStringLiteral("/media/cd"));

    readInline(QStringLiteral("#DEF:IDE\nDepurar [DbgModo]=S\nLetra [DbgLtrCd]=D\n##\n"));
    EXPECT_EQ(g.DrvCd, QStringLiteral("D:"));
}

// After every zone the variables are defined again, unless running their statements again could
// change nothing: the same statements, each of them pure (numbers, texts, operators and the
// variables defined before it) and carried out, and no script code run since.
TEST_F(Definition, VariablesDefinedAgainWhenTheyCanChange) {
    const QString page = QStringLiteral("#PAG:IDE\nId [IDE]=P\n##\n");
    const QString a = QStringLiteral("#VAR:IDE\nA [A]=1\n##\n");
    const struct {
        const char* what;
        QString zones;
        int rounds;
    } cases[] = {
        {"variables, then pages", a + page + page + page, 1},
        {"a later zone of variables", a + page + "#VAR:IDE\nB [B]=A + 1\n##\n" + page, 2},
        {"a later window size", a + page + "#DEF:IDE\nL [DimX]=800\n##\n" + page, 2},
        {"a button placed from a point, an expression over the variables",
         "#PON:IDE\nSeg [AUT_TraPosSeg]=xMax - 180, yMax - 40\n##\n" + page +
             "#TRA:IDE\nB [IDE]=SEG\n##\n" + page,
         1},
        {"script code loaded: the engine was reset", a + page + "#VBS:TX\nDim x\n##\n" + page, 2},
        {"a variable that refers to itself", "#VAR:IDE\nN [N]=N + 1\n##\n" + page + page, 3},
        {"a variable that reads what is no variable of the round",
         "#VBS:TX\nDim x\n##\n#VAR:IDE\nP [P]=DirPgm & \"/x\"\n##\n" + page + page, 4},
    };
    // Each definition read by an engine of its own.
    const auto read = [&](const QString& zones) {
        zelVynGlbReset();
        zelVynGlbState().DirPgm = QStringLiteral("/opt/zv");
        host->statements.clear();
        host->variables.clear();
        auto fresh = std::make_unique<SupVyn>();
        fresh->setVbsFactory([this] { return host; });
        fresh->ParLer(temp.write(QStringLiteral("r.par"), (kDefinitionHeader + zones).toUtf8()));
        return fresh;
    };
    for (const auto& c : cases) {
        read(c.zones);
        EXPECT_EQ(host->statements.filter(QRegularExpression(QStringLiteral("^yMax="))).size(),
                  c.rounds)
            << c.what;
    }
    // What the rounds leave is what a round after every zone leaves.
    read("#VBS:TX\nDim x\n##\n#VAR:IDE\nP [P]=DirPgm & \"/x\"\n##\n" + page + page);
    EXPECT_EQ(host->var("P").rawString(), QStringLiteral("/opt/zv/x"));
    read(a + page + "#DEF:IDE\nL [DimX]=800\n##\n#VAR:IDE\nB [B]=A + xMax\n##\n" + page);
    EXPECT_EQ(number("B"), 801);
    const auto placed = read("#PON:IDE\nSeg [AUT_TraPosSeg]=xMax - 180, yMax - 40\n##\n" + page +
                             "#TRA:IDE\nB [IDE]=SEG\n##\n");
    EXPECT_EQ(placed->pageTable().at(1).Tra[TraSeg].POS, QStringLiteral("460, 440"));

    // The point of a button with no position of its own is evaluated once while the variables
    // hold; a variable defined again (by a later zone) has it evaluated again.
    const QString seg = QStringLiteral("#TRA:IDE\nB [IDE]=SEG\n##\n");
    host->calculated.clear();
    const auto buttons = read(a + "#PON:IDE\nSeg [AUT_TraPosSeg]=xMax - 180, yMax - A\n##\n" +
                              page + seg + page + seg + "#VAR:IDE\nA [A]=20\n##\n" + page + seg);
    EXPECT_EQ(host->calculated.filter(QStringLiteral("xMax - 180")).size(), 2);
    EXPECT_EQ(buttons->pageTable().at(1).Tra[TraSeg].POS, QStringLiteral("460, 479"));
    EXPECT_EQ(buttons->pageTable().at(2).Tra[TraSeg].POS, QStringLiteral("460, 479"));
    EXPECT_EQ(buttons->pageTable().at(3).Tra[TraSeg].POS, QStringLiteral("460, 460"));
}

TEST_F(Definition, WindowMeasuresThatKeepTheDesignedSize) {
    struct Case {
        const char* entry; // the DimX line, or "" for none
        double xMax;
    };
    // A given size in pixels, else the designed 640 pixels.
    const Case cases[] = {{"Largura [DimX]=800", 800},  {"Largura [DimX]=auto", 640},
                          {"Largura [DimX]=AUTO", 640}, {"", 640},
                          {"Largura [DimX]=", 640},     {"Largura [DimX]=larga", 640},
                          {"Largura [DimX]=-5", 640},   {"Largura [DimX]=0", 640},
                          {"Largura [DimX]=320px", 320}};
    for (const Case& c : cases) {
        host->statements.clear();
        readInline(QStringLiteral("#DEF:IDE\n%1\n##\n#VAR:IDE\nMeio [Meio]=xMax / 2\n##\n")
                       .arg(QString::fromUtf8(c.entry)));
        EXPECT_EQ(number("xMax"), c.xMax) << c.entry;
        EXPECT_EQ(number("Meio"), c.xMax / 2) << c.entry;
        EXPECT_TRUE(host->failed.filter(QStringLiteral("xMax=")).isEmpty()) << c.entry;
    }
}

TEST_F(Definition, FolderKeysAndOptionValues) {
    ZelVynGlbState& g = zelVynGlbState();
    g.DirPgm = QStringLiteral("/opt/zv");
    g.LtrCd = QStringLiteral("/opt");
    g.DrvCd = QStringLiteral("/opt");
    // Texts that begin with a bracketed option become its value (the whole text); any other
    // text stays as written.
    const char* texts[][2] = {{"[TitVyn]", "Olá"},
                              {"[TitVyn] e mais", "Olá"},
                              {"antes [TitVyn]", "antes [TitVyn]"},
                              {"[Desconhecida]", "[Desconhecida]"},
                              {"[]", "[]"},
                              {"[ParFic]", "def.par"}};
    QString zones = QStringLiteral("#DEF:IDE\nFundo [ImgFun]=[dirpgm]/f.png\n"
                                   "Ícone [ImgIco]=x[ ImgFun ]y\nTítulo [TitVyn]=Olá\n##\n"
                                   "#PAG:IDE\nId [IDE]=P1\n##\n");
    for (const auto& t : texts)
        zones +=
            QStringLiteral("#CMP:IDE\nT [Tip]=LAB\nX [Txt]=%1\n##\n").arg(QString::fromUtf8(t[0]));
    readInline(zones);
    EXPECT_EQ(g.imgFunPath, QStringLiteral("/opt/zv/f.png"));
    EXPECT_EQ(g.imgIcoPath, QStringLiteral("x/opt/zv/f.pngy"));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(cmp(i + 1).Txt, QString::fromUtf8(texts[i][1])) << texts[i][0];

    struct Key {
        const char* key;
        QString folder;
    };
    const Key keys[] = {
        {"DirPgm", "/opt/zv"}, {" ltrcd ", "/opt"}, {"DRVCD", "/opt"}, {"ImgFun", "/opt/zv/f.png"},
        {"DirBas", ""},        {"DirPar", ""},      {"DirVyn", ""},    {"Outra", ""}};
    for (const Key& k : keys) {
        QString folder = QStringLiteral("?");
        engine.OpcDirCon(QString::fromLatin1(k.key), folder);
        EXPECT_EQ(folder, k.folder) << k.key;
    }
}

TEST_F(Definition, SmallDefinitionsAndFailingExpressions) {
    readInline(QStringLiteral("#DEF:IDE\nT [TitVyn]=Só\n##\n#PAG:IDE\nId [IDE]=UNICA\n##\n"));
    EXPECT_EQ(engine.PagNum(), 1);
    EXPECT_EQ(engine.CmpNum(), 0);
    EXPECT_EQ(engine.pageTable()[1].CmpNum, 0);
    EXPECT_EQ(engine.pageTable()[1].CmpIni, 1);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(tra(1, k).IDE, QString()) << k;

    SupVyn second;
    second.setVbsFactory([this] { return host; });
    host->variables.clear();
    const QString path =
        temp.write(QStringLiteral("b.par"),
                   (kDefinitionHeader +
                    QStringLiteral("#OUTRA:IDE\nNada [Zz]=1\n##\n"
                                   "#VAR:IDE\nTexto [Nome]=\"Olá\"\nSem nome=1\nMau [Mau]=(1\n##\n"
                                   "#PON:IDE\nMeio [Pt]=Nada + 1, 5\n"
                                   "Botão [AUT_TraPosSeg]=Nada, 7\n##\n"
                                   "#PAG:IDE\nId [IDE]=A\n##\n"
                                   "#TRA:IDE\nB [IDE]=SEG\n##\n"))
                       .toUtf8());
    second.ParLer(path);
    EXPECT_EQ(host->var("Nome").rawString(), QStringLiteral("Olá"));
    EXPECT_FALSE(host->has("Mau"));  // the script refused it: passed over
    EXPECT_FALSE(host->has("Pt_X")); // a part that fails leaves its variable as it was
    EXPECT_EQ(number("Pt_Y"), 5);
    EXPECT_FALSE(host->has("Zz")); // other zones are skipped
    // The failing part of the default position gives 0.
    EXPECT_EQ(second.pageTable()[1].Tra[TraSeg].POS, QStringLiteral("0, 7"));
    EXPECT_EQ(second.pageTable()[1].Tra[TraSeg].Y, 105);
    EXPECT_EQ(second.ZpoNum(), 4); // the entry without brackets is no entry
}

TEST(DefinitionConverters, PositionsAndSizes) {
    struct Case {
        const char* text;
        int32_t x, y; // from 1 and 2 when a part does not convert
    };
    const Case positions[] = {{"10, 20", 150, 300}, {" 7 ,  8 ", 105, 120}, {"10", 150, 2},
                              {"a, 20", 1, 300},    {"1.5, 2.5", 22, 38},   {"10, 20, 30", 150, 2},
                              {"", 1, 2},           {"-3, 0", -45, 0},      {"&H10, 1", 240, 15}};
    for (const Case& c : positions) {
        int32_t x = 1, y = 2;
        PosTwpCon(QString::fromLatin1(c.text), x, y);
        EXPECT_EQ(x, c.x) << c.text;
        EXPECT_EQ(y, c.y) << c.text;
    }
    const Case sizes[] = {{"10, 20", 150, 300}, {"10, 20, 30", 150, 300}, {"", -1, -1},
                          {", 5", -1, 75},      {" 8 ", 120, -1},         {"x, y", -1, -1}};
    for (const Case& c : sizes) {
        int32_t w = 1, h = 2;
        DimTwpCon(QString::fromLatin1(c.text), w, h);
        EXPECT_EQ(w, c.x) << c.text;
        EXPECT_EQ(h, c.y) << c.text;
    }
}

TEST(DefinitionConverters, ColoursFontsAlignments) {
    const std::pair<const char*, int32_t> colours[] = {
        {"", -1},    {"NC", -1}, {"0", -1},  {"16", -1},   {"12", 0x0000FF},
        {"W0", 0},   {"-", 0},   {"-5", -1}, {"HFF", 255}, {"255,0,0", 0x0000FF},
        {"0,0,0", 0}};
    for (const auto& [text, colour] : colours) {
        int32_t c = 77;
        CorCon(QString::fromLatin1(text), c);
        EXPECT_EQ(c, colour) << text;
    }

    const std::pair<const char*, const char*> fonts[] = {
        {"Arial,12,bold italic", "Arial|12|BOLD ITALIC"},
        {",12", "|12|"},
        {"Arial", "Arial|-1|"},
        {"Arial,10.5,x", "Arial|10|X"},
        {"Arial, 11.5 ,  negrito Bold ", "Arial|12|NEGRITO BOLD"},
        {" Serif ,grande", " Serif |-1|"}};
    for (const auto& [text, parts] : fonts) {
        QString name, style;
        int16_t size = 0;
        FonTxtCon(QString::fromLatin1(text), name, size, style);
        EXPECT_EQ(QStringList({name, QString::number(size), style}).join(u'|'),
                  QString::fromLatin1(parts))
            << text;
    }

    const std::pair<const char*, int16_t> words[] = {{"ESQUERDA", 0}, {"<", 0},      {"direita", 1},
                                                     {" > ", 1},      {"Centro", 2}, {"|", 2},
                                                     {"-", 2},        {"meio", 0},   {"", 0}};
    for (const auto& [word, alignment] : words) {
        int16_t a = 9;
        AlnCon(QString::fromLatin1(word), a);
        EXPECT_EQ(a, alignment) << word;
    }
}

// The kinds are read once with the zone: a transition's kind upper-cased and trimmed (any other
// text acts as none), a control's kind as written. A button's default position is the point of
// its IDE written exactly, while the button itself is stored under its IDE in any case.
TEST_F(Definition, KindsReadOnceWithTheirZones) {
    readInline(QStringLiteral("#PON:IDE\nSeguinte [AUT_TraPosSeg]=100, 200\n##\n"
                              "#PAG:IDE\nId [IDE]=UM\n##\n"
                              "#TRA:IDE\nB [IDE]=seg\nK [TRATIP]=fx\n##\n"
                              "#TRA:IDE\nB [IDE]=ANT\nK [TRATIP]=Fim\n##\n"
                              "#TRA:IDE\nB [IDE]=CAN\nK [TRATIP]=XYZ\n##\n"
                              "#CMP:IDE\nT [Tip]=LAB\n##\n"
                              "#CMP:IDE\nT [Tip]=lab\n##\n"
                              "#CMP:IDE\nT [Tip]=OPCTXT\n##\n"
                              "#PAG:IDE\nId [IDE]=DOIS\n##\n"
                              "#TRA:IDE\nB [IDE]=SEG\nK [TRATIP]=PAG\n##\n"));
    EXPECT_EQ(tra(1, TraSeg).Kind, TraKind::Fx);
    EXPECT_EQ(tra(1, TraSeg).POS, QString());
    EXPECT_EQ(tra(1, TraAnt).Kind, TraKind::Fim);
    EXPECT_EQ(tra(1, TraCan).Kind, TraKind::None);
    EXPECT_EQ(tra(1, TraCnf).Kind, TraKind::None);
    EXPECT_EQ(tra(2, TraSeg).Kind, TraKind::Pag);
    EXPECT_EQ(tra(2, TraSeg).POS, QStringLiteral("100, 200"));
    EXPECT_EQ(cmp(1).Kind, CmpKind::Lab);
    EXPECT_EQ(cmp(2).Kind, CmpKind::Other);
    EXPECT_EQ(cmp(3).Kind, CmpKind::OpcTxt);
}

// Points, pages and controls are found by name trimmed of blanks and case aside (accented
// letters too), the first of equal names; a name that differs in anything else is not found.
TEST_F(Definition, NamesFoundTrimmedAndCaseBlind) {
    readInline(QStringLiteral("#PON:IDE\nA [Ação]=1, 2\nB [ Ponto B ]=3, 4\n##\n"
                              "#PAG:IDE\nId [IDE]=Início\n##\n"
                              "#CMP:IDE\nT [Tip]=LAB\nI [Ide]=laÉtiqueta\n##\n"
                              "#PAG:IDE\nId [IDE]= Fim \n##\n"
                              "#CMP:IDE\nT [Tip]=LAB\nI [Ide]=LAétiqueta\n##\n"));
    const auto point = [&](const char* name) {
        int index = 0;
        engine.ZpoLoc(QString::fromUtf8(name), index);
        return index;
    };
    const auto page = [&](const char* name) {
        int number = 0;
        engine.PagLoc(QString::fromUtf8(name), number);
        return number;
    };
    // The control found leaves its Ide in "cmpIde" ("" when none is found).
    const auto control = [&](const char* name) {
        host->variables.remove(QStringLiteral("CMPIDE"));
        engine.CmpVarCon(Variant(QString::fromUtf8(name)));
        return host->var(QStringLiteral("cmpIde")).rawString();
    };
    EXPECT_EQ(point(" AÇÃO "), 1);
    EXPECT_EQ(point("ponto b"), 2);
    EXPECT_EQ(point("PontoB"), -1);
    EXPECT_EQ(point("Ação1"), -1);
    EXPECT_EQ(point(""), -1);
    EXPECT_EQ(page("INÍCIO"), 1);
    EXPECT_EQ(page("fim  "), 2);
    EXPECT_EQ(page("Inicio"), -1);
    EXPECT_EQ(control("laétiqueta"), QStringLiteral("laÉtiqueta"));
    EXPECT_EQ(control(" LAÉTIQUETA"), QStringLiteral("laÉtiqueta"));
    EXPECT_EQ(control("laEtiqueta"), QString());
}

// A button with no position of its own takes its point's place: evaluated once while the
// variables hold; again after every zone while a statement of the round is not pure (the
// variables are defined again), and after a variable changed. The twips follow the text.
TEST_F(Definition, ButtonPointsPlacedAgainWhenTheVariablesCanChange) {
    const QString page = QStringLiteral("#PAG:IDE\nId [IDE]=P\n##\n");
    const QString seg = QStringLiteral("#TRA:IDE\nB [IDE]=SEG\n##\n");
    const QString can = QStringLiteral("#TRA:IDE\nB [IDE]=CAN\n##\n");
    const QString points = QStringLiteral("#VAR:IDE\nA [A]=10\n##\n#PON:IDE\n"
                                          "S [AUT_TraPosSeg]=xMax - 180, yMax - A\n"
                                          "C [AUT_TraPosCan]=A + 1, 7\n");
    const auto read = [&](const QString& zones) {
        zelVynGlbReset();
        host->calculated.clear();
        auto fresh = std::make_unique<SupVyn>();
        fresh->setVbsFactory([this] { return host; });
        fresh->ParLer(temp.write(QStringLiteral("b.par"), (kDefinitionHeader + zones).toUtf8()));
        return fresh;
    };
    const auto place = [](const SupVyn& e, int p, int k) {
        const TraDef& t = e.pageTable().at(p).Tra.at(k);
        return QStringLiteral("%1|%2 %3").arg(t.POS).arg(t.X).arg(t.Y);
    };
    const QString pages = page + seg + can + page + seg + can;
    const auto pure = read(points + "##\n" + pages + "#VAR:IDE\nA [A]=20\n##\n" + page + seg);
    EXPECT_EQ(host->calculated.count(QStringLiteral("xMax - 180")), 2);
    EXPECT_EQ(host->calculated.count(QStringLiteral("A + 1")), 1);
    for (int p : {1, 2}) {
        EXPECT_EQ(place(*pure, p, TraSeg), QStringLiteral("460, 470|6900 7050")) << p;
        EXPECT_EQ(place(*pure, p, TraCan), QStringLiteral("11, 7|165 105")) << p;
    }
    EXPECT_EQ(place(*pure, 3, TraSeg), QStringLiteral("460, 460|6900 6900"));

    const auto impure = read(points + "N [Nada]=Outra + 1\n##\n" + pages);
    EXPECT_EQ(host->calculated.count(QStringLiteral("xMax - 180")), 2);
    EXPECT_EQ(host->calculated.count(QStringLiteral("A + 1")), 2);
    for (int p : {1, 2}) {
        EXPECT_EQ(place(*impure, p, TraSeg), QStringLiteral("460, 470|6900 7050")) << p;
        EXPECT_EQ(place(*impure, p, TraCan), QStringLiteral("11, 7|165 105")) << p;
    }
}
