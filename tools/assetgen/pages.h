#pragma once

#include <QString>

// Writes the pages the menu opens (htm/...) and the help page from their sources in
// `pagesFolder`, each with the shared style sheet page.css inlined.
void writePages(const QString& pagesFolder, const QString& outFolder);
