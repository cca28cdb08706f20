#pragma once
// The pictures of the background form, drawn in code: the border pieces ("Top", "TopEsq",
// "Esq", "Dir", "DirBx", "Bx"), the product picture ("QOR"), the maker's logo ("Zel") and the
// please-wait picture ("aguarde"). Their sizes are the design sizes of the form's images.

#include <QPixmap>
#include <QString>

namespace zv {

// The picture of the named piece; a null picture for a name that is none of them.
QPixmap zelVynFunPicture(const QString& piece);

} // namespace zv
