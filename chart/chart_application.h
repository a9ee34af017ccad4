#pragma once

#include <QCoreApplication>

#include <memory>

// An application object that can draw charts with no display at all.
std::unique_ptr<QCoreApplication> makeDrawingApplication(int &argc, char **argv);
