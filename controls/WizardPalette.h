#pragma once
// The wizard's own light colours. Its pictures, labels and guides are drawn
// for a light window with black text; a dark desktop theme would put that
// text on dark grey. Pages and the guide view take this palette whatever the
// system's is.

#include <QPalette>

QPalette WizardPalette();
