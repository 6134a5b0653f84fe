#include "ui/info/HelpFormulas.h"

namespace eh::helpformulas {

using namespace typeset;

namespace {

const QString kRho = QStringLiteral("\u03C1");
const QString kTau = QStringLiteral("\u03C4");
const QString kMinus = QStringLiteral("\u2212");
const QString kDot = QStringLiteral("\u00B7");
const QString kTimes = QStringLiteral("\u00D7");

NodePtr equals() {
    return op(QStringLiteral("="), Spacing::Thick);
}
NodePtr dot() {
    return op(kDot, Spacing::Thin);
}

// I(t) = I_Max·
NodePtr coilCurrentHead() {
    return row({variable(QStringLiteral("I")), upright(QStringLiteral("(")), variable(QStringLiteral("t")),
                upright(QStringLiteral(")")), equals(),
                subscript(variable(QStringLiteral("I")), variable(QStringLiteral("Max"))), dot()});
}

// e^(−t/τ)
NodePtr decay() {
    return superscript(variable(QStringLiteral("e")), row({upright(kMinus), variable(QStringLiteral("t")),
                                                           upright(QStringLiteral("/")), upright(kTau)}));
}

} // namespace

NodePtr resistivity() {
    return row({upright(kRho), equals(),
                fraction(row({subscript(variable(QStringLiteral("V")), variable(QStringLiteral("r"))), dot(),
                              variable(QStringLiteral("a")), dot(), variable(QStringLiteral("d"))}),
                         row({variable(QStringLiteral("I")), dot(), variable(QStringLiteral("L"))}))});
}

NodePtr hallCoefficient() {
    return row({subscript(variable(QStringLiteral("R")), variable(QStringLiteral("H"))), equals(),
                fraction(row({subscript(variable(QStringLiteral("V")), variable(QStringLiteral("H"))), dot(),
                              variable(QStringLiteral("d"))}),
                         row({variable(QStringLiteral("I")), dot(), variable(QStringLiteral("B"))}))});
}

NodePtr currentFall() {
    return row({coilCurrentHead(), decay()});
}

NodePtr currentRise() {
    return row({coilCurrentHead(), upright(QStringLiteral("(")), upright(QStringLiteral("1")),
                op(kMinus, Spacing::Medium), decay(), upright(QStringLiteral(")"))});
}

NodePtr fieldOfCurrent() {
    return row({variable(QStringLiteral("B")), upright(QStringLiteral("(")), variable(QStringLiteral("I")),
                upright(QStringLiteral(")")), equals(), upright(QStringLiteral("0.1")),
                op(kTimes, Spacing::Medium), variable(QStringLiteral("I")), op(kMinus, Spacing::Medium),
                upright(QStringLiteral("0.001")), op(kTimes, Spacing::Medium),
                superscript(variable(QStringLiteral("I")), upright(QStringLiteral("2")))});
}

} // namespace eh::helpformulas
