// Reading the keys of case_clearance.h from the parsed file; for the case
// file's reader only (it carries the JSON library).
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "engine/case/case_clearance.h"

namespace orvalt {

// The ground, crossings, voltage and creep keys of the section object
// `section` (at `field`, e.g. "section"). Throws CaseFieldError; unknown
// keys inside the ground points and crossings go to `warnings`.
void ReadSectionClearance(const nlohmann::json& section, const std::string& field,
                          CaseClearance& clearance, std::vector<std::string>& warnings);

// The two keys of one support object (at `field`, e.g. "section.supports[2]").
// Both or neither; throws CaseFieldError.
SupportGround ReadSupportGround(const nlohmann::json& support, const std::string& field);

} // namespace orvalt
