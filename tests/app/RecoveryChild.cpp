// A bench as the program runs it, for the recovery tests, its data folder under
// $XDG_DATA_HOME:
//   recovery_child <records> <none|saved|dialog|exit|notice|notice-ok>
//     stores the records asked for, then optionally saves them, opens a modal message
//     box, calls exit(1) from the event loop, or starts as the program does (journals
//     of ended runs turned into recovery files, then the recovery notice, closed at
//     once with notice-ok); writes the file "ready" in $XDG_DATA_HOME and waits to be
//     ended from outside;
//   recovery_child presses <A|I|S...>
//     presses Acumular, Inicializar or Salvar (into $XDG_DATA_HOME/guardado.ASC) in
//     turn, record n of the run made of values no other record has, and writes one byte
//     to its standard output after each press.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "app/RecoveryNotice.h"
#include "app/SessionGuard.h"
#include "bench/BenchModel.h"
#include "ui/QtBenchHost.h"

namespace {

class AnswerHost : public eh::QtBenchHost {
public:
    std::optional<std::string> askSaveFileName(const eh::SaveDialogRequest&) override { return answer; }
    std::optional<std::string> answer;
};

std::string dataHome() {
    return std::getenv("XDG_DATA_HOME");
}

void sayReady() {
    std::ofstream(dataHome() + "/ready") << "ready\n";
}

// Press n (from 0) of a run: values whose seven-digit forms differ from record to record.
void setReadings(eh::BenchModel& bench, int n) {
    const auto f = static_cast<float>(n);
    bench.T_Medida = 50.0f + f * 2.3456789f;
    bench.I_Fuente = 0.001f * f + 0.5f;
    bench.Lectura_Ro = eh::TaggedNumber::single(1.0f / (f + 3.0f));
    bench.Lectura_EH_Neg = -1e-5f * (f + 1.0f) / 7.0f;
    bench.Lectura_EH_Pos = eh::TaggedNumber::dbl(1e-5 * (n + 1) / 7.0);
}

int runPresses(eh::BenchModel& bench, AnswerHost& host, const std::string& presses) {
    host.answer = dataHome() + "/guardado.ASC";
    for (std::size_t n = 0; n < presses.size(); ++n) {
        setReadings(bench, static_cast<int>(n));
        if (presses[n] == 'A') bench.Acumular_Click();
        if (presses[n] == 'I') bench.Reset_Click();
        if (presses[n] == 'S') bench.Salvar_Click();
        const char done = '.';
        if (::write(STDOUT_FILENO, &done, 1) != 1) return 3;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) return 2;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvelo"));
    // Runs until ended from outside, whatever box is closed.
    QApplication::setQuitOnLastWindowClosed(false);
    AnswerHost host;
    eh::BenchModel bench(host);
    bench.Form_Load();
    eh::SessionGuard guard(bench, eh::SessionGuard::defaultFolder());
    bench.Bot_Inter_Click();
    const std::string first = argv[1];
    if (first == "presses") {
        const int status = runPresses(bench, host, argv[2]);
        ::pause(); // until killed
        return status;
    }
    // Record k: 300 + k K, the field of 10 A (9000 G), 10 mA, 2.5 V, -1.25 V and 1.25 V over k.
    bench.I_Iman_Max = 10.0f;
    bench.I_Fuente = 10.0f;
    for (int k = 1; k <= std::atoi(argv[1]); ++k) {
        bench.T_Medida = 300.0f + static_cast<float>(k);
        bench.Lectura_Ro = eh::TaggedNumber::single(2.5f / static_cast<float>(k));
        bench.Lectura_EH_Neg = -1.25f / static_cast<float>(k);
        bench.Lectura_EH_Pos = eh::TaggedNumber::dbl(1.25 / k);
        bench.Acumular_Click();
    }

    const std::string mode = argv[2];
    if (mode == "saved") {
        host.answer = dataHome() + "/guardado.ASC";
        bench.Salvar_Click();
    }
    if (mode == "dialog") {
        // Ready only once the message box runs its own event loop.
        QTimer::singleShot(0, [&host] {
            QTimer::singleShot(0, sayReady);
            host.showMessage("Esperando", "MENSAJE DE ERROR");
        });
    } else if (mode == "exit") {
        // As the toolkit does when the display's connection breaks.
        QTimer::singleShot(0, [] { std::exit(1); });
    } else if (mode == "notice" || mode == "notice-ok") {
        // The start of the program: records of ended runs first, then the notice.
        guard.recoverEndedSessions();
        QTimer::singleShot(0, [&guard, mode] {
            QTimer::singleShot(0, [mode] {
                if (mode == "notice-ok" && QApplication::activeModalWidget() != nullptr)
                    QApplication::activeModalWidget()->close();
                sayReady();
            });
            eh::announceRescuedMeasurements(nullptr, guard.folders());
        });
    } else {
        QTimer::singleShot(0, sayReady);
    }
    return app.exec();
}
