#pragma once

#include <QString>

// The help window's text: German, one section per topic, each heading underlined.
QString HelpText();
