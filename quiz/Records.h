#pragma once

// The property records that set up the quiz window and its ten controls. Each
// is built once, on first use, and lives for the whole run.

#include <string>

namespace velunto::records {

const std::string& MainWindow();
const std::string& TextField1();
const std::string& OKButton();
const std::string& NoBtutton();
const std::string& AButton();
const std::string& BButton();
const std::string& DButton();
const std::string& CButton();
const std::string& ResetButton();
const std::string& Canvas1();
const std::string& Canvas2();

} // namespace velunto::records
