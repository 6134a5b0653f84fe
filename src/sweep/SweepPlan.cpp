#include "sweep/SweepPlan.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sys/stat.h>

#include "bench/BenchState.h"
#include "model/SampleCode.h"

namespace eh::sweep {

const char* const kSweepUsage =
    "Uso: tarvelo-barrido [--muestra 1|2|CÓDIGO] [--desde K] [--hasta K] [--paso K]\n"
    "                     [--corriente mA] [--iman A] [-o FICHERO] [--sobrescribir]\n"
    "     tarvelo-barrido --barrido campo --temperatura K [--pasos N] [--muestra 1|2|CÓDIGO]\n"
    "                     [--corriente mA] [--iman A] [-o FICHERO] [--sobrescribir]\n"
    "Mide en el banco simulado una serie de temperaturas y guarda el registro como\n"
    "lo guarda el banco. Por omisión: muestra 1, de 50 a 760 K cada 10 K, 10 mA, 10 A,\n"
    "fichero barrido.asc. Con el código de una muestra problema (--muestra TWSH-3NKM)\n"
    "mide esa muestra.\n"
    "  --barrido campo  a una temperatura fija, sube la corriente del imán en N pasos\n"
    "                   iguales hasta --iman (por omisión 10 pasos) y mide en cada uno\n"
    "                   con las dos polaridades: la serie V_H(B) de tarvelo-analisis\n"
    "  --sobrescribir   reemplaza el fichero de salida si ya existe (sin ella, no se toca)\n";

namespace {

bool parseNumber(const std::string& text, double& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc{} && ptr == end && std::isfinite(value);
}

// Counts points with a little slack, so that 50..760 by 10 gives 72 points even
// though the quotient is computed in binary.
int pointCount(double from, double to, double step) {
    return static_cast<int>(std::floor(std::fabs(to - from) / step + 1e-9)) + 1;
}

} // namespace

namespace {

// What both kinds of sweep check: the sample, the source's and the magnet's ranges.
bool instrumentsAllow(const SweepPlan& plan, std::string& error) {
    const bool unknown = plan.sample == SampleCatalogue::kUnknownRow && !plan.sampleCode.empty();
    if (!SampleCatalogue::isMeasurable(plan.sample) && !unknown) {
        error = "la muestra debe ser 1 o 2";
        return false;
    }
    if (unknown && !SampleCode::parse(plan.sampleCode, error)) return false;
    // The source's digit buttons give 0.001 to 99.999 mA, the slider 0 to 10 A.
    if (plan.currentMa < 0.001 || plan.currentMa > 99.999) {
        error = "la corriente debe estar entre 0,001 y 99,999 mA";
        return false;
    }
    if (plan.magnetA < 0 || plan.magnetA > 10) {
        error = "la corriente del imán debe estar entre 0 y 10 A";
        return false;
    }
    return true;
}

bool reachable(double t, std::string& error) {
    if (t >= kLowestTargetK && t <= kHighestTargetK) return true;
    char buf[200];
    std::snprintf(buf, sizeof buf, "la temperatura %g K está fuera del alcance del banco (%g a %g K)", t,
                  kLowestTargetK, kHighestTargetK);
    error = buf;
    return false;
}

} // namespace

std::vector<double> sweepTargets(const SweepPlan& plan, std::string& error) {
    char buf[200];
    if (!instrumentsAllow(plan, error)) return {};
    for (double t : {plan.fromK, plan.toK})
        if (!reachable(t, error)) return {};
    if (!(plan.stepK > 0)) {
        error = "el paso debe ser positivo";
        return {};
    }
    const double span = std::fabs(plan.toK - plan.fromK) / plan.stepK;
    if (span + 1 > BenchState::kRegisterSlots + 1) { // avoids overflowing the count below
        std::snprintf(buf, sizeof buf, "el barrido pide más de %d medidas y el registro solo guarda %d",
                      BenchState::kRegisterSlots, BenchState::kRegisterSlots);
        error = buf;
        return {};
    }
    const int n = pointCount(plan.fromK, plan.toK, plan.stepK);
    if (n > BenchState::kRegisterSlots) {
        std::snprintf(buf, sizeof buf, "el barrido pide %d medidas y el registro solo guarda %d", n,
                      BenchState::kRegisterSlots);
        error = buf;
        return {};
    }
    const double dir = plan.toK >= plan.fromK ? 1.0 : -1.0;
    std::vector<double> targets;
    targets.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) targets.push_back(plan.fromK + dir * plan.stepK * i);
    return targets;
}

std::vector<int> fieldSweepPositions(const SweepPlan& plan, std::string& error) {
    if (!instrumentsAllow(plan, error) || !reachable(plan.fieldSweepK, error)) return {};
    if (plan.fieldSteps < 1 || plan.fieldSteps > BenchState::kRegisterSlots) {
        error = "--pasos debe ser un número entero de 1 a " + std::to_string(BenchState::kRegisterSlots);
        return {};
    }
    const long top = std::lround(plan.magnetA * 100); // the control's position at the maximum
    if (top < plan.fieldSteps) {
        error = "la corriente máxima del imán no da " + std::to_string(plan.fieldSteps) +
                " pasos distintos: el mando va de 0,01 en 0,01 A";
        return {};
    }
    std::vector<int> positions;
    for (int k = 1; k <= plan.fieldSteps; ++k)
        positions.push_back(static_cast<int>(std::lround(static_cast<double>(top) * k / plan.fieldSteps)));
    return positions;
}

namespace {

// Options that belong to one kind of sweep only: given with the other, they would be
// silently ignored.
std::string mismatchedOption(const SweepPlan& plan, const std::vector<std::string>& given) {
    const bool field = plan.kind == SweepKind::Field;
    for (const std::string& opt : given) {
        if (field && (opt == "--desde" || opt == "--hasta" || opt == "--paso"))
            return opt + " es del barrido de temperatura; el de campo mide a una sola temperatura, la de "
                         "--temperatura";
        if (!field && (opt == "--temperatura" || opt == "--pasos"))
            return opt + " es del barrido de campo: añada --barrido campo";
    }
    if (field && std::find(given.begin(), given.end(), "--temperatura") == given.end())
        return "el barrido de campo necesita la temperatura: --temperatura K";
    return {};
}

} // namespace

std::optional<SweepPlan> parseSweepOptions(const std::vector<std::string>& args, std::string& error,
                                           bool& help) {
    SweepPlan plan;
    help = false;
    std::vector<std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& opt = args[i];
        if (opt == "--ayuda" || opt == "-h" || opt == "--help") {
            help = true;
            return plan;
        }
        if (opt == "--sobrescribir") {
            plan.overwrite = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "falta el valor de " + opt;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        given.push_back(opt);
        if (opt == "--barrido") {
            if (value != "temperatura" && value != "campo") {
                error = "--barrido debe ser temperatura o campo, no " + value;
                return std::nullopt;
            }
            plan.kind = value == "campo" ? SweepKind::Field : SweepKind::Temperature;
            continue;
        }
        if (opt == "--pasos") {
            int steps = 0;
            const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), steps);
            if (ec != std::errc{} || ptr != value.data() + value.size()) {
                error =
                    "--pasos debe ser un número entero de 1 a " + std::to_string(BenchState::kRegisterSlots);
                return std::nullopt;
            }
            plan.fieldSteps = steps;
            continue;
        }
        if (opt == "-o") {
            if (value.empty()) {
                error = "falta el nombre del fichero de -o";
                return std::nullopt;
            }
            plan.outputFile = value;
            continue;
        }
        double number = 0;
        double* target = nullptr;
        if (opt == "--desde")
            target = &plan.fromK;
        else if (opt == "--hasta")
            target = &plan.toK;
        else if (opt == "--paso")
            target = &plan.stepK;
        else if (opt == "--corriente")
            target = &plan.currentMa;
        else if (opt == "--iman")
            target = &plan.magnetA;
        else if (opt == "--temperatura")
            target = &plan.fieldSweepK;
        else if (opt != "--muestra") {
            error = "opción desconocida: " + opt;
            return std::nullopt;
        }
        // A sample is a catalogue number or an unknown sample's code (eight symbols,
        // which may all be digits).
        if (!target && (!parseNumber(value, number) || value.size() >= kCodeLength)) {
            std::string reason;
            const auto code = SampleCode::parse(value, reason);
            if (!code) {
                error = "código de muestra no válido: " + reason;
                return std::nullopt;
            }
            plan.sample = SampleCatalogue::kUnknownRow;
            plan.sampleCode = code->text();
            continue;
        }
        if (!parseNumber(value, number)) {
            error = "valor no válido para " + opt + ": " + value;
            return std::nullopt;
        }
        if (target) {
            *target = number;
        } else {
            if (number != 1 && number != 2) {
                error = "la muestra debe ser 1, 2 o el código de una muestra problema";
                return std::nullopt;
            }
            plan.sample = static_cast<int>(number);
            plan.sampleCode.clear();
        }
    }
    if (error = mismatchedOption(plan, given); !error.empty()) return std::nullopt;
    return plan;
}

std::string outputRefusal(const SweepPlan& plan) {
    struct stat st {};
    // A link counts as existing even when it leads nowhere: it is the user's.
    if (plan.overwrite || ::lstat(plan.outputFile.c_str(), &st) != 0) return {};
    return plan.outputFile + " ya existe y no se escribe encima (--sobrescribir lo reemplaza)";
}

} // namespace eh::sweep
