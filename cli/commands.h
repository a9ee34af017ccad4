// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// The companion tool's commands, as one table: each command's name, help,
// options and operands, which the parser, the help and the completion read.
// Each command takes its arguments parsed and returns the exit status.

#include "cli/options.h"

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

struct Command
{
    const char *name;
    const char *help;                // the usage lines and what it does
    std::vector<OptionSpec> options; // generar's parameters among them
    OperandRule operands;
    int (*run)(const ParsedArguments &);
    int failureStatus;          // 2 where 1 means a finding
    bool draws = false;         // needs an application object that can draw
    bool parameterList = false; // its help lists the generation parameters
};

// Every command, in the order the usage gives them.
std::span<const Command> commandTable();

// The command named `name`, or null.
const Command *findCommand(const QString &name);

// Whether `args` ask for the command's help: --help or -h anywhere before
// "--", other than as an option's value.
bool asksForHelp(const Command &command, const QStringList &args);

// Parses `args` for `command` and runs it: the exit status.
int runCommand(const Command &command, const QStringList &args);

// The words the shell's completion offers, from this same table (so that
// the two cannot drift): with no argument the commands; after a command its
// options, and "@sin_archivos" for one that takes no file; after an option
// the values it allows, "@archivo" for a file, or "@valor" for a value of
// any other kind. One word a line.
QString completionWords(const QStringList &words);

// The whole usage (every command, then what they share), and one command's.
QString usage();
QString usageOf(const Command &command);

// generar [--NobBase N ... --IncNextJob N] [--cortar] [-o ARCHIVO]: exit 0, or 1 on failure.
int generar(const ParsedArguments &args);

// normalizar ENTRADA SALIDA: exit 0, or 1 on failure.
int normalizar(const ParsedArguments &args);

// comprobar ARCHIVO... [--tipo int32|uint32|int64] [--niveles N] [--nivel-maximo N]
// [--trabajos job_db.conf] [--json | --sarif]: tables, YAML job databases
// and an exp_group_db.conf. Exit 0 without errors, 1 with at least one, 2
// when a file cannot be read.
int comprobar(const ParsedArguments &args);

// comparar A B: exit 0 when equal in every cell, 1 when not, 2 when a file
// cannot be read.
int comparar(const ParsedArguments &args);

// exportar TABLA [-o SALIDA] [--base job_exp.yml] [--nivel-maximo N]: the
// YAML job database; with --formato libconfig (or a .conf output),
// --trabajos and --separar, the admin's exp_group_db.conf. Exit 0, or 1 on
// failure.
int exportar(const ParsedArguments &args);

// importar ARCHIVO.yml... | exp_group_db.conf [--trabajos job_db.conf]
// [-o SALIDA]: the table the server ends with; exit 0, or 1 on failure.
int importar(const ParsedArguments &args);

// grafico ARCHIVO -o SALIDA [--formato png|pdf|svg] [--escala log|lineal]:
// exit 0, or 1 on failure. Needs a drawing application object
// (chart/chart_application.h).
int grafico(const ParsedArguments &args);
