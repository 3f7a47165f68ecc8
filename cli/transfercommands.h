#pragma once
// The subcommands that talk to the instrument: ports, receive and send. They take values after
// their options (--number N, -o FILE), so they read the words of the command line themselves.
#include "cli/commands.h"

TCliCommand PortsCommand();
TCliCommand ReceiveCommand();
TCliCommand SendCommand();
