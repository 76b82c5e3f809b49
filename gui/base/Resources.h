// Data stored in the program: form descriptions and pictures are RCDATA resources, named as the
// form descriptions reference them ("logo.png", "TFORM12").
#pragma once

#include <string>

namespace gui {

// The RCDATA resource of that name (case-insensitive), or one added with AddResource; false when
// there is none.
bool FindResourceData(const std::string& name, std::string& data);
// As FindResourceData; a missing resource raises Exception naming it.
std::string ResourceData(const std::string& name);
// Makes data available under a name ahead of the program's own resources (pictures made at run
// time, test data).
void AddResource(const std::string& name, std::string data);

}  // namespace gui
