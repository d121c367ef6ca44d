// The widget tests of the shell run inside one application object.
#include "support/QtApplication.hpp"
