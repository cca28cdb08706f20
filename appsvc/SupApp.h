#pragma once
// SupApp: a program's identity texts, its window caption, its named variables and its
// command-line switches.
//
// Identity. AppInfPrp reads an AppIdentity (AppIdentity::build() for this build): the version
// is "major.minor.revision", with "." and x added when the comment text holds the property
// VER_X=x. Tokens (AppInfCon) give these texts by name; any other token is read as a property
// of the comment text ("[NAME=value]").
//
// Captions. A template is a list of parts separated by "|". A part that starts with "[" (one
// that sorts from "[" up to "[z") names a token: the text between its "[" and the next "]" is
// replaced by the token's value, and anything else in that part is dropped. Every other part is
// copied. The parts are joined without separators. The default template,
// "[EMP]| - |[IDE]| (Ver: |[VER]|)", gives "TALVORE - ZelVyn (Ver: 0.1.0)".
//
// Variables are values in a SupDat store, under upper-cased, trimmed names.
//
// Command line. LcIni takes the program's words (foundation ArgPgm: one word per argument, so a
// path holding blanks is one word), finds the parameter file after "-FP" and the options file
// after "-AUT", and reads the options file. Switch names are compared with the upper-cased
// words, so they must be given in upper case ("-FP" finds "-fp"; "-fp" finds nothing). A switch
// value comes from the word after the switch, else from the options file's "DEF" zones (which
// name=value words of the command line override).
//
// Nothing here reports to the user; nothing raises.

#include "AppIdentity.h"
#include "CaptionTarget.h"
#include "SupDat.h"
#include "TdaOpc.h"
#include "Variant.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace zv {

class SupApp {
public:
    // The caption template in use until AppCapAsp changes it.
    static inline const QString kDefaultTemplate =
        QStringLiteral("[EMP]| - |[IDE]| (Ver: |[VER]|)");
    // The template that AppCapAsp("PGM") selects.
    static inline const QString kProgramTemplate = QStringLiteral("[TIT]| - |(Ver: |[VER]|)");

    SupApp();
    ~SupApp();
    SupApp(const SupApp&) = delete;
    SupApp& operator=(const SupApp&) = delete;

    // Makes the variables store.
    void FxIni();
    // Releases the variables store and the options object.
    void FxFim();

    // ---- Identity and captions ----

    // Sets the caption template; "PGM" selects kProgramTemplate.
    void AppCapAsp(const QString& captionTemplate);
    // Reads the identity and builds the caption from the template.
    void AppInfPrp(const AppIdentity& app);
    // The value of a token (upper-cased, trimmed): "TIT" the title, "PGM" the executable's
    // name, "IDE" the product name, "EMP" the company, "EMP+" the company upper-cased, "VER"
    // the version, "VER_SP" the version in square brackets, "CAP+" company upper-cased, " - ",
    // product, " " and version; any other the property of that name in the comment text, ""
    // when there is none.
    void AppInfCon(const QString& token, QString& value) const;
    // text with every "[token]" replaced by its value, from the start again after each one,
    // until no "[...]" with something inside is left; after 1000 replacements the text is
    // returned as it stands (a value holding its own token would go on for ever).
    void AppInfIde(const QString& text, QString& result) const;
    // "PGM (VER)", then " - " and extra when extra is not "".
    void AppInfPgm(const QString& extra, QString& result) const;
    // The title becomes the window's caption.
    void AppTitIni(const CaptionTarget& form);
    // Sets the window's caption.
    void AppTitVer(CaptionTarget& form, const QString& text);
    // The caption, then " - " and extra when extra is not "": into a text, or as a window's
    // caption.
    void AppCapIni(QString& target, const QString& extra) const;
    void AppCapIni(CaptionTarget& form, const QString& extra);

    const QString& comments() const { return comments_; }
    const QString& program() const { return program_; }
    const QString& company() const { return company_; }
    const QString& caption() const { return caption_; }
    const QString& product() const { return product_; }
    // The product name before and after its first " - " (all of it and "" when it has none).
    const QString& productHead() const { return productHead_; }
    const QString& productTail() const { return productTail_; }
    const QString& version() const { return version_; }
    const QString& title() const { return title_; }
    const QString& captionTemplate() const { return template_; }

    // ---- Variables ----

    void VarReg(const QString& name, const Variant& value);
    // The variable's value as text; "" when there is none.
    Variant VarCon(const QString& name);
    // VarCon with the "[name]" references of its value replaced by other variables (at most
    // 21 replacements).
    Variant VarSbr(const QString& name);
    // VarSbr joined with the texts of parts (an array, or one value) as path parts, one
    // separator between each two.
    void VarPath(const QString& name, const Variant& parts, QString& result);

    // ---- Command line ----

    // Takes the program's words, then LcPrpFpa(defaultName), LcPrpAut() and reads the options
    // file when there is one.
    void LcIni(const QString& defaultName);
    // The number of words; the whole command text (the words joined with blanks).
    int LcNop() const { return int(args_.size()) - 1; }
    QString LcConCmd() const { return args_.value(0); }
    // The position (from 1) of the first word that, upper-cased, is name; 0 when none.
    int LcExi(const QString& name) const;
    // The position of the word after name (LcExi + 1; -1 when name is absent); ok 1 when that
    // is a word (1..LcNop).
    void LcIxv(const QString& name, int& index, int& ok) const;
    // The word after name, or word number index, into value (typed assignment); ok 0 and value
    // emptied by type when there is none.
    void LcCon(const QString& name, Variant& value, int& ok) const;
    void LcCon(int index, Variant& value, int& ok) const;
    // The parameter file: the word after "-FP" as it is (a folder is not looked for); without
    // one, the program's folder joined with defaultName, or "" when defaultName is "".
    void LcPrpFpa(const QString& defaultName);
    // The options file: the word after "-AUT" when that file exists; otherwise the first that
    // exists of that name under the current folder, the program's folder and the parameter
    // file's folder, each directly, in "OpcAut" and in "Aut"; "" when none (or no "-AUT").
    void LcPrpAut();
    // The parameter file or the options file found by LcIni, and 1 when it exists (else 0).
    void LcConFpa(QString& path, int& exists) const;
    void LcConAut(QString& path, int& exists) const;
    // A switch's value by mode (upper-cased, trimmed): "IDX" the switch's position (Integer, 0
    // when absent); "IXV" the position of the word after it (Integer, 0 when absent); "SN" the
    // value as yes/no, 1 or 0; "EXI" 1 when the switch is present, else the value as yes/no;
    // any other mode the value as text.
    void LcOpcCon(const QString& name, Variant& result, const QString& mode);

    const QStringList& arguments() const { return args_; }
    const QString& parameterFile() const { return fpPath_; }
    const QString& optionsFile() const { return autPath_; }

private:
    SupDat& variables();
    TdaOpc& options();
    QString AppCapFmt(const QString& captionTemplate) const;
    void LcArgSep(const QStringList& words);
    void LcSwiLer();

    QString objectName_ = QStringLiteral("SupApp");
    QString instanceId_;
    QString comments_;
    QString program_;
    QString company_;
    QString caption_;
    QString product_;
    QString productTail_;
    QString productHead_;
    QString version_;
    QString title_;
    QString template_;
    QStringList args_{QString()};
    QString commandText_;
    QString fpPath_;
    QString autPath_;
    std::unique_ptr<SupDat> variables_;
    std::unique_ptr<TdaOpc> options_;
};

} // namespace zv
