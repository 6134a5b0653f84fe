// A bench as the program runs it, for the recovery tests: stores the records asked
// for, optionally saves them or opens a modal message box, writes the file "ready" in
// $XDG_DATA_HOME and waits to be ended from outside.
//   recovery_child <records> <none|saved|dialog>
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <fstream>

#include "app/SessionGuard.h"
#include "bench/BenchModel.h"
#include "ui/QtBenchHost.h"

namespace {

class AnswerHost : public eh::QtBenchHost {
public:
    std::optional<std::string> askSaveFileName(const eh::SaveDialogRequest&) override { return answer; }
    std::optional<std::string> answer;
};

void sayReady() {
    std::ofstream(std::string(std::getenv("XDG_DATA_HOME")) + "/ready") << "ready\n";
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) return 2;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvelo"));
    AnswerHost host;
    eh::BenchModel bench(host);
    bench.Form_Load();
    // Record k: 300 + k K, the field of 10 A (9000 G), 10 mA, 2.5 V, -1.25 V and 1.25 V over k.
    bench.Bot_Inter_Click();
    bench.I_Iman_Max = 10.0f;
    bench.I_Fuente = 10.0f;
    for (int k = 1; k <= std::atoi(argv[1]); ++k) {
        bench.T_Medida = 300.0f + static_cast<float>(k);
        bench.Lectura_Ro = eh::TaggedNumber::single(2.5f / static_cast<float>(k));
        bench.Lectura_EH_Neg = -1.25f / static_cast<float>(k);
        bench.Lectura_EH_Pos = eh::TaggedNumber::dbl(1.25 / k);
        bench.Acumular_Click();
    }
    eh::SessionGuard guard(bench, eh::SessionGuard::defaultFolder());

    const std::string mode = argv[2];
    if (mode == "saved") {
        host.answer = std::string(std::getenv("XDG_DATA_HOME")) + "/guardado.ASC";
        bench.Salvar_Click();
    }
    if (mode == "dialog") {
        // Ready only once the message box runs its own event loop.
        QTimer::singleShot(0, [&host] {
            QTimer::singleShot(0, sayReady);
            host.showMessage("Esperando", "MENSAJE DE ERROR");
        });
    } else {
        QTimer::singleShot(0, sayReady);
    }
    return app.exec();
}
