// The wizard definition read into the engine's tables, with a recording script host: pages,
// buttons, controls, the script variables after every zone, the window settings, folder keys
// and option values, and the converters of the controls' values.

#include "FakeVbsHost.h"
#include "ScopedProcessContext.h"
#include "SupVyn.h"
#include "TestSupport.h"
#include "ZelVynGlb.h"
#include "ZelVynGlbCnv.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zv;

static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QString kHeader = QStringLiteral("'Nome : t.par\n'Tipo : vyn\n'Data :\n'Versao :\n'Desc :\n");

class Definition : public ::testing::Test {
protected:
    Definition() {
        zelVynGlbReset();
        ZelVynGlbState& g = zelVynGlbState();
        g.VynFpa = zvtest::dataPath(QStringLiteral("wizard/assistente.par"));
        g.DirPgm = zvtest::dataPath(QStringLiteral("wizard"));
        g.LtrCd = QStringLiteral("/");
        g.DrvCd = QStringLiteral("/");
        ctx->setArguments({QStringLiteral("zelvyn")});
        engine.setVbsFactory([this] { return host; });
    }
    ~Definition() override { zelVynGlbReset(); }

    // Reads a definition written from zone texts (a header is put in front).
    void readInline(const QString& zones) {
        const QString path = temp.write(QStringLiteral("def.par"), (kHeader + zones).toUtf8());
        zelVynGlbState().VynFpa = path;
        engine.ParLer(path);
    }
    void readSample() { engine.ParLer(zelVynGlbState().VynFpa); }

    const TraDef& tra(int page, int k) const { return engine.pageTable().at(page).Tra.at(k); }
    const CmpDef& cmp(int i) const { return engine.controlTable().at(i); }
    double number(const QString& name) const { return toDouble(host->var(name)); }

    ScopedProcessContext ctx;
    zvtest::TempDir temp;
    std::shared_ptr<zvtest::FakeVbsHost> host = std::make_shared<zvtest::FakeVbsHost>();
    SupVyn engine;
};

} // namespace

TEST_F(Definition, PagesAndButtons) {
    readSample();
    ASSERT_EQ(engine.PagNum(), 3);
    const auto& pages = engine.pageTable();
    EXPECT_EQ(pages[0].IDE, QString()); // element 0 stays empty
    EXPECT_EQ(pages[1].IDE, QStringLiteral("INICIO"));
    EXPECT_EQ(pages[1].FxPagEnt, QStringLiteral("PagIniEnt"));
    EXPECT_EQ(pages[2].FxPagSai, QStringLiteral("LicSai"));
    EXPECT_EQ(pages[3].Img, QStringLiteral("imagens/pasta.bmp")); // used as written
    int number = 0;
    engine.PagLoc(QStringLiteral(" pasta "), number);
    EXPECT_EQ(number, 3);
    engine.PagLoc(QStringLiteral("FIM"), number);
    EXPECT_EQ(number, -1);

    // Page 1: Next at its point, evaluated when the zone was read; Cancel at its plain POS.
    EXPECT_EQ(tra(1, TraSeg).DES, QStringLiteral("Seguinte >"));
    EXPECT_EQ(tra(1, TraSeg).POS, QStringLiteral("420, 440"));
    EXPECT_EQ(tra(1, TraSeg).X, 6300);
    EXPECT_EQ(tra(1, TraSeg).Y, 6600);
    EXPECT_EQ(tra(1, TraCan).POS, QStringLiteral("10, 440"));
    EXPECT_EQ(tra(1, TraCan).X, 150);
    EXPECT_EQ(tra(1, TraCan).TRATIP, QStringLiteral("FIM"));
    EXPECT_EQ(tra(1, TraAnt).IDE, QString()); // no zone: no button
    EXPECT_EQ(tra(1, TraCnf).IDE, QString());

    // Page 2: the second Next zone wins; its IDE is kept as written.
    EXPECT_EQ(tra(2, TraAnt).POS, QStringLiteral("330, 440"));
    EXPECT_EQ(tra(2, TraSeg).IDE, QStringLiteral("seg"));
    EXPECT_EQ(tra(2, TraSeg).DES, QStringLiteral("Aceitar >"));
    EXPECT_EQ(tra(2, TraSeg).SIT, QStringLiteral("VER,DES"));
    EXPECT_EQ(tra(2, TraSeg).TRATIP, QStringLiteral("FX"));
    EXPECT_EQ(tra(2, TraSeg).TRAFX, QStringLiteral("LicSeg"));
    EXPECT_EQ(tra(2, TraSeg).X, 7500);

    // Page 3: a page jump back, Confirm at 400, 440; the unknown button stored nothing.
    EXPECT_EQ(tra(3, TraAnt).TRAPAG, QStringLiteral("INICIO"));
    EXPECT_EQ(tra(3, TraCnf).X, 6000);
    EXPECT_EQ(tra(3, TraCnf).TRAFX, QStringLiteral("Instalar"));
    EXPECT_EQ(tra(3, TraCan).IDE, QString());
    for (int k = 0; k <= 4; ++k)
        EXPECT_NE(tra(3, k).DES, QStringLiteral("Nada")) << k;
}

TEST_F(Definition, ControlsAndTheirPages) {
    readSample();
    ASSERT_EQ(engine.CmpNum(), 11);
    const auto& pages = engine.pageTable();
    EXPECT_EQ(pages[0].CmpNum, 1); // the mark before the first page
    struct Range {
        int ini, fim, num;
    };
    const Range ranges[] = {{}, {2, 3, 2}, {4, 5, 2}, {6, 11, 6}};
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(pages[p].CmpIni, ranges[p].ini) << p;
        EXPECT_EQ(pages[p].CmpFim, ranges[p].fim) << p;
        EXPECT_EQ(pages[p].CmpNum, ranges[p].num) << p;
    }
    EXPECT_EQ(cmp(1).Ide, QStringLiteral("laMarca"));
    EXPECT_EQ(cmp(2).Tip, QStringLiteral("LAB"));
    EXPECT_EQ(cmp(2).Pos, QStringLiteral("PtTit_X, PtTit_Y"));
    EXPECT_EQ(cmp(2).Fon, QStringLiteral("DejaVu Sans,14,Bold Italic"));
    EXPECT_EQ(cmp(2).Aln, QStringLiteral("centro"));
    EXPECT_EQ(cmp(3).Txt, QStringLiteral("2.5")); // a bracketed option as the whole text
    EXPECT_EQ(cmp(4).Txt, QStringLiteral("[[DirPgm]/licenca.rtf]"));
    EXPECT_EQ(cmp(5).Tip, QStringLiteral("CKB"));
    EXPECT_EQ(cmp(6).Ide, QStringLiteral("opcDestino"));
    EXPECT_EQ(cmp(7).Tip, QStringLiteral("OPCTXT"));
    EXPECT_EQ(cmp(8).Adi, QStringLiteral("~/zelvyn"));
    EXPECT_EQ(cmp(10).Txt, QStringLiteral("[SemOpcao] fica como está")); // unknown: as written
    EXPECT_EQ(cmp(10).Sit, QStringLiteral("INV"));
    EXPECT_EQ(cmp(11).Tip, QStringLiteral("XYZ"));

    ASSERT_EQ(engine.ZpoNum(), 8);
    const ZpoDef& seg = engine.zpoTable()[5];
    EXPECT_EQ(seg.Ide, QStringLiteral("AUT_TraPosSeg"));
    EXPECT_EQ(seg.Des, QStringLiteral("Botão Seguinte"));
    EXPECT_EQ(seg.Tip, QStringLiteral("P"));
    EXPECT_EQ(seg.Val, QStringLiteral("xMax - 180, yMax - 40"));
    int index = 0;
    engine.ZpoLoc(QStringLiteral("znTXT"), index);
    EXPECT_EQ(engine.zpoTable()[index].Tip, QStringLiteral("Z"));
}

TEST_F(Definition, ScriptVariablesAfterEveryZone) {
    readSample();
    // xMax from DimX (600 pixels), yMax the designed height (DimY is "auto").
    EXPECT_EQ(number("xMax"), 600);
    EXPECT_EQ(number("yMax"), 480);
    EXPECT_EQ(number("Margem"), 20);
    EXPECT_EQ(host->var("Produto").rawString(), QStringLiteral("ZelVyn 2.5"));
    EXPECT_EQ(number("LargUtil"), 560);
    EXPECT_EQ(number("AUT_TraPosCan_X"), 510);
    EXPECT_EQ(number("AUT_TraPosCan_Y"), 440);
    EXPECT_EQ(number("PtTit_Y"), 20);
    EXPECT_EQ(number("ZnTxt_X1"), 20);
    EXPECT_EQ(number("ZnTxt_Y1"), 60);
    EXPECT_EQ(number("ZnTxt_X2"), 580);
    EXPECT_EQ(number("ZnTxt_Y2"), 420);

    // Defined again after every zone: one round per zone of the file.
    QFile f(zelVynGlbState().VynFpa);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    int zones = 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith('#') && !line.startsWith("##")) ++zones;
    EXPECT_EQ(host->statements.count(QStringLiteral("xMax=600")), zones);

    // Two script zones: each reset the engine; the code is the second one's.
    EXPECT_EQ(host->resets, 2);
    ASSERT_EQ(host->codes.size(), 2);
    EXPECT_EQ(host->codes[0], (QStringList{QString(), "Sub PagIniEnt()", "End Sub"}));
    EXPECT_TRUE(host->codes[1].contains(QStringLiteral("Function LicSeg(pag)")));
    EXPECT_EQ(host->codes[1].value(0), QString()); // element 0 unused

    // The folders as string variables, defined after the code.
    EXPECT_EQ(host->var("DirPgm").rawString(), zelVynGlbState().DirPgm);
    EXPECT_EQ(host->var("VynFpa").rawString(), zelVynGlbState().VynFpa);
    EXPECT_EQ(host->var("DirBas").rawString(), QString());
    EXPECT_TRUE(
        host->statements.contains(QStringLiteral("VynFpa=\"%1\"").arg(zelVynGlbState().VynFpa)));
}

TEST_F(Definition, WindowSettingsTheLastDefZoneGives) {
    readSample();
    const ZelVynGlbState& g = zelVynGlbState();
    EXPECT_EQ(g.TitVyn, QStringLiteral("Instalação do ZelVyn 2.5"));
    EXPECT_EQ(g.MsgCan, QStringLiteral("Terminar a instalação ?"));
    EXPECT_EQ(g.imgFunPath, g.DirPgm + QStringLiteral("/imagens/fundo.bmp"));
    EXPECT_EQ(g.imgIcoPath, g.imgFunPath); // "[ImgFun]" is the path read just before
    EXPECT_TRUE(g.dimX.isDouble());
    EXPECT_EQ(g.dimX.rawDouble(), 9000);
    EXPECT_EQ(toText(g.dimY), QStringLiteral("AUTO"));
    EXPECT_EQ(g.debugMode, QString());
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
    readInline(QStringLiteral("#DEF:IDE\n"
                              "Fundo        [ImgFun]=[dirpgm]/f.png\n"
                              "Ícone        [ImgIco]=x[ ImgFun ]y\n"
                              "Título       [TitVyn]=Olá\n"
                              "##\n"
                              "#PAG:IDE\nId [IDE]=P1\n##\n"
                              "#CMP:IDE\nT [Tip]=LAB\nX [Txt]=[TitVyn]\n##\n"
                              "#CMP:IDE\nT [Tip]=LAB\nX [Txt]=[TitVyn] e mais\n##\n"
                              "#CMP:IDE\nT [Tip]=LAB\nX [Txt]=antes [TitVyn]\n##\n"
                              "#CMP:IDE\nT [Tip]=LAB\nX [Txt]=[Desconhecida]\n##\n"
                              "#CMP:IDE\nT [Tip]=LAB\nX [Txt]=[]\n##\n"
                              "#CMP:IDE\nT [Tip]=LAB\nX [Txt]=[ParFic]\n##\n"));
    EXPECT_EQ(g.imgFunPath, QStringLiteral("/opt/zv/f.png"));
    EXPECT_EQ(g.imgIcoPath, QStringLiteral("x/opt/zv/f.pngy"));
    EXPECT_EQ(cmp(1).Txt, QStringLiteral("Olá"));
    EXPECT_EQ(cmp(2).Txt, QStringLiteral("Olá")); // the rest after the bracket goes
    EXPECT_EQ(cmp(3).Txt, QStringLiteral("antes [TitVyn]"));
    EXPECT_EQ(cmp(4).Txt, QStringLiteral("[Desconhecida]"));
    EXPECT_EQ(cmp(5).Txt, QStringLiteral("[]"));
    EXPECT_EQ(cmp(6).Txt, QStringLiteral("def.par"));

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
    const QString path = temp.write(
        QStringLiteral("b.par"),
        (kHeader + QStringLiteral("#OUTRA:IDE\nNada [Zz]=1\n##\n"
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

    struct Font {
        const char* text;
        const char* name;
        int16_t size;
        const char* style;
    };
    const Font fonts[] = {{"Arial,12,bold italic", "Arial", 12, "BOLD ITALIC"},
                          {",12", "", 12, ""},
                          {"Arial", "Arial", -1, ""},
                          {"Arial,10.5,x", "Arial", 10, "X"},
                          {"Arial, 11.5 ,  negrito Bold ", "Arial", 12, "NEGRITO BOLD"},
                          {" Serif ,grande", " Serif ", -1, ""}};
    for (const Font& f : fonts) {
        QString name, style;
        int16_t size = 0;
        FonTxtCon(QString::fromLatin1(f.text), name, size, style);
        EXPECT_EQ(name, QString::fromLatin1(f.name)) << f.text;
        EXPECT_EQ(size, f.size) << f.text;
        EXPECT_EQ(style, QString::fromLatin1(f.style)) << f.text;
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
