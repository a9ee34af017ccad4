#pragma once

// `vandrel-exp grafico`: a picture of a table's curves, SVG or PNG.

#include <QCoreApplication>
#include <QStringList>

#include <memory>

// Whether this build draws charts: Qt Charts is not part of every build.
bool chartsAvailable();

// The application object `grafico` needs: it draws without any display.
std::unique_ptr<QCoreApplication> makeChartApplication(int &argc, char **argv);

// grafico ARCHIVO -o SALIDA.svg|SALIDA.png [--escala log|lineal]
int grafico(const QStringList &args);
