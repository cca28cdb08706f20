#include "SupVynDef.h"

#include "Text.h"

namespace zv {

TraKind traKindOf(const QString& tratip) {
    const QString kind = UCase(Trim(tratip));
    if (kind == u"PAG") return TraKind::Pag;
    if (kind == u"FX") return TraKind::Fx;
    if (kind == u"FIM") return TraKind::Fim;
    return TraKind::None;
}

CmpKind cmpKindOf(const QString& tip) {
    if (tip == u"LAB") return CmpKind::Lab;
    if (tip == u"CKB") return CmpKind::Ckb;
    if (tip == u"RTF") return CmpKind::Rtf;
    if (tip == u"OPC") return CmpKind::Opc;
    if (tip == u"OPCTXT") return CmpKind::OpcTxt;
    return CmpKind::Other;
}

} // namespace zv
