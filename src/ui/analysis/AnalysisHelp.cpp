#include "ui/analysis/AnalysisHelp.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>

#include "ui/analysis/PlotKind.h"
#include "ui/theory/TheoryWindow.h"

#ifndef TARVELO_VERSION
#error "TARVELO_VERSION is set by the build"
#endif

namespace eh::analysis {

QString helpTitle(HelpTopic topic) {
    switch (topic) {
    case HelpTopic::Tabs:
        return QStringLiteral("Qué muestra cada pestaña");
    case HelpTopic::Ranges:
        return QStringLiteral("Cómo elegir el intervalo de un ajuste");
    case HelpTopic::Spreadsheet:
        return QStringLiteral("El fichero del banco en una hoja de cálculo");
    case HelpTopic::About:
        return QStringLiteral("Acerca de Tarvelo — Análisis de datos");
    }
    return {};
}

QString helpText(HelpTopic topic) {
    switch (topic) {
    case HelpTopic::Tabs:
        return QStringLiteral(
                   "<p><b>Datos</b>: cada registro del fichero con las magnitudes que se obtienen de él (ρ, "
                   "σ, "
                   "V_H, R_H, tipo de portador, concentración y movilidad) y, debajo, las líneas que no se "
                   "han "
                   "podido leer, con su número.</p>"
                   "<p><b>%1</b>: la resistividad frente a la temperatura.</p>"
                   "<p><b>%2</b>: el coeficiente de Hall frente a la temperatura; su signo dice el tipo de "
                   "portador y dónde cambia.</p>"
                   "<p><b>%3</b>: la movilidad de Hall frente a la temperatura en escala logarítmica, con el "
                   "ajuste de la ley μ_H ∝ T^−α.</p>"
                   "<p><b>%4</b>: ln σ y ln(|R_H|·T^3/2) frente a 1000/T; de las pendientes en el régimen "
                   "intrínseco sale la anchura de la banda prohibida.</p>"
                   "<p><b>%5</b>: la tensión de Hall frente al campo a una temperatura fija; su pendiente da "
                   "R_H.</p>")
            .arg(plotTitle(PlotKind::Resistivity), plotTitle(PlotKind::Hall), plotTitle(PlotKind::Mobility),
                 plotTitle(PlotKind::Gap), plotTitle(PlotKind::FieldHall));
    case HelpTopic::Ranges:
        return QStringLiteral(
            "<p>En las pestañas de la movilidad y de la banda prohibida, escriba la temperatura mínima y "
            "la máxima del ajuste en «T mín» y «T máx», o arrastre con el ratón sobre la gráfica de un "
            "extremo del intervalo al otro.</p>"
            "<p>Elija la parte de la gráfica en la que los puntos siguen una recta: para la banda "
            "prohibida, el régimen intrínseco (las temperaturas más altas); para la movilidad, el régimen "
            "extrínseco, antes de que aparezcan los portadores intrínsecos. Los residuos del ajuste deben "
            "quedar repartidos al azar a los dos lados de cero: si dibujan una curva, el intervalo se sale "
            "de la zona recta.</p>"
            "<p>En la pestaña V_H(B), elija la temperatura de la serie de campo: se usan los registros a "
            "menos de 1 K de ella.</p>");
    case HelpTopic::Spreadsheet:
        return QStringLiteral(
            "<p>El fichero del banco usa el punto como separador decimal. Una hoja de cálculo configurada "
            "en español lo estropea sin avisar si lo abre sin más: lee 1.238 como 1238 y deja otros "
            "números como texto.</p>"
            "<p><b>LibreOffice Calc</b>: abra el fichero con «Archivo &gt; Abrir» (si no lo reconoce, "
            "elija el tipo «Texto CSV»). En el diálogo «Importar texto» marque «Separado por» y «Coma», "
            "y en «Idioma» elija «Inglés (EE. UU.)». Compruebe en la vista previa que las columnas 5 a 7 "
            "aparecen alineadas a la derecha, como números.</p>"
            "<p><b>Microsoft Excel</b>: en el asistente para importar texto, el botón «Avanzadas» del "
            "último paso permite elegir el punto como separador decimal.</p>"
            "<p>Más sencillo: «Archivo &gt; Guardar datos en formato español…» escribe una copia con punto "
            "y coma y coma decimal, que la hoja de cálculo abre directamente. No guarde nunca la hoja "
            "encima del fichero original del banco.</p>");
    case HelpTopic::About:
        return QStringLiteral(
                   "<p><b>Tarvelo — Análisis de datos</b><br>Versión %1</p>"
                   "<p>Analiza los ficheros de datos del banco de efecto Hall: calcula la resistividad, el "
                   "coeficiente de Hall, la concentración y la movilidad de los portadores, y ajusta la "
                   "anchura de la banda prohibida, la ley de la movilidad y R_H con el campo.</p>")
            .arg(QStringLiteral(TARVELO_VERSION));
    }
    return {};
}

void addHelpMenu(QMainWindow* window) {
    QMenu* help = window->menuBar()->addMenu(QStringLiteral("Ay&uda"));
    help->setObjectName(QStringLiteral("helpMenu"));
    const auto topic = [window, help](HelpTopic t) {
        help->addAction(helpTitle(t) + QStringLiteral("…"), window, [window, t] {
            QMessageBox box(QMessageBox::Information, helpTitle(t), helpText(t), QMessageBox::Ok, window);
            box.setTextFormat(Qt::RichText);
            box.exec();
        });
    };
    topic(HelpTopic::Tabs);
    topic(HelpTopic::Ranges);
    help->addAction(QStringLiteral("Fórmulas (capítulo «Interpretación de los resultados»)…"), window,
                    [window] { eh::showTeoria(window, QString::fromLatin1(kFormulasChapter)); });
    topic(HelpTopic::Spreadsheet);
    help->addSeparator();
    topic(HelpTopic::About);
}

} // namespace eh::analysis
