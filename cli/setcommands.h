#pragma once
// vesta-cli set: parameters of the sounds in a file set by the text their controls show.
#include "cli/commands.h"

TCliCommand SetCommand();
