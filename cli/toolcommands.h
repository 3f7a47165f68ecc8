#pragma once
// The sound tools on the command line: a random bank from a seed, and the morph of two patches.
#include "cli/commands.h"

TCliCommand RandomCommand();
TCliCommand MorphCommand();
