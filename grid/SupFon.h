#pragma once
// SupFon: the font object. It holds one font (name, size, bold, italic; underline, strikeout and
// weight travel with it through the dialog) and moves it between three forms:
// - the font option text, a property text with the keys "NOM" (name), "TAM" (size in points),
//   "BLD" and "ITA" (bold and italic, "S" or "N"), for storing in parameter files;
// - the font of any object with a "font" property (every widget has one);
// - the font dialog (Qt's own dialog, never the platform's, so it looks and behaves the same
//   everywhere and can be driven by tests).
//
// Conversions take a comma-separated list of keys, handled in the order given (upper-cased and
// trimmed); names other than the four keys are skipped. The grid passes "NOM,TAM,BLD,ITA".
//
// Refusals: an empty or blank name and a size that is not above 0 leave the font as it is, on
// the held font and on other objects alike. A cancelled dialog leaves the held font unchanged,
// gives ok 0 and sets lastError() to 1001.

#include "Variant.h"

#include <QFont>
#include <QString>
#include <optional>

class QObject;

namespace zv {

class SupFon {
public:
    // The error number a cancelled font dialog leaves.
    static constexpr int kDialogCancelled = 1001;

    SupFon();
    ~SupFon();
    SupFon(const SupFon&) = delete;
    SupFon& operator=(const SupFon&) = delete;

    void FxIni();
    // Releases the held font; the next use makes it again from the application's font.
    void FxFim();

    const QString& objectName() const { return objectName_; }
    const QString& instanceId() const { return instanceId_; }
    // The held font (made from the application's font when there is none).
    const QFont& font();

    QString FonNom();
    void setFonNom(const QString& name); // blank: ignored
    // The size in points, to 4 decimals (as the language's Currency).
    double FonTam();
    // Any value read as a number (NumDbl); one without a number or not above 0 is ignored.
    void setFonTam(const Variant& size);
    bool FonBld();
    void setFonBld(bool bold);
    bool FonIta();
    void setFonIta(bool italic);

    // The font dialog on the held font: ok 1 when the person confirmed (the held font takes the
    // choice), else 0 with lastError() 1001.
    void SelFon(int& ok);
    // 0, or the error number of the last dialog (1001 after a cancel).
    int lastError() const { return lastError_; }

    // opt := the option text of the held font for the keys.
    void FonOpcCon(const QString& keys, QString& opt);
    // The held font from an option text, key by key; a key missing from a non-empty text reads
    // as "", 0 or "N" (the name and size are then refused, bold and italic turn off); an empty
    // text gives every key its empty value.
    void FonOpcReg(const QString& keys, const QString& opt);
    // opt := the option text of the object's font for the keys; "" for an object without one.
    void FonObCon(const QString& keys, const QObject* obj, QString& opt);
    // The object's font from an option text, key by key, the held font's values standing in
    // for an empty text. An object without a font is left alone.
    void FonObReg(const QString& keys, QObject* obj, const QString& opt);

private:
    QFont& held();
    // The option text of a font for the keys.
    static QString optionText(const QString& keys, const QFont& font);
    // The values of one key in an option text; def when the text is "".
    static QString itemText(const QString& opt, const QString& key, const QString& def);
    static double itemNumber(const QString& opt, const QString& key, const Variant& def);
    static bool itemYesNo(const QString& opt, const QString& key, const Variant& def);
    static QString yesNoText(bool on);

    const QString objectName_ = QStringLiteral("SupFon");
    QString instanceId_;
    std::optional<QFont> font_;
    int lastError_ = 0;
};

} // namespace zv
