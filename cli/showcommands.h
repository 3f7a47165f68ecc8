#pragma once
// vesta-cli show and diff: every parameter of the sounds in a file as the editors show them,
// and the parameters in which two files' sounds differ.
#include "cli/commands.h"

TCliCommand ShowCommand();
TCliCommand DiffCommand();
