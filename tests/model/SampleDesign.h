#pragma once
#include "uDesign.h"

// A design that sets every value the menu description carries to a value of its own:
// vertical, movie "buttons07.swf", two main entries "Home" (sub-entries "News <br> today", "Docs")
// and "About".
void FillSample(TMenuDesign &d);
