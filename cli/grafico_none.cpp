#include "cli/grafico.h"

#include "cli/console.h"

// A build without Qt Charts: the command is there and says why it cannot draw.

bool chartsAvailable()
{
    return false;
}

std::unique_ptr<QCoreApplication> makeChartApplication(int &argc, char **argv)
{
    return std::make_unique<QCoreApplication>(argc, argv);
}

int grafico(const QStringList &)
{
    return fail(QStringLiteral("grafico no está disponible en esta compilación: se construyó sin Qt Charts."));
}
