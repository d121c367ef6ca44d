// Registers the application object for the widget tests of the shell.
#include "support/QtEnvironment.hpp"
