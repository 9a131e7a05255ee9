// The table of auxiliary windows.
#include "app/windows/window_table.h"

#include <array>

namespace tavo::app {

namespace {

constexpr std::array<WindowEntry, 34> windows = {{
    {"TForm2", "Atomic Coordinates & Parameters"},
    {"TForm3", "Chemical Formula"},
    {"TForm4", "HFIX Coding Rules"},
    {"TForm5", "Shelxl-97 Job Control Commands"},
    {"TForm6", "Edit and Save *.ins file"},
    {"TForm7", "Checking Disagreeable Reflections to be Removed using OMIT Card"},
    {"TForm8", "Find and Locate Disordered Atoms from the *.lst File"},
    {"TForm9", "Showing and Handling Peaks"},
    {"TForm10", "CIF Editor"},
    {"TForm11", "Editor"},
    {"TForm12", "Interatomic Distances"},
    {"TForm13", ""},
    {"TForm14", "Packing View Range"},
    {"TForm15", "Parameters for Drawing Ellipes"},
    {"TForm16", "Distances and Angles"},
    {"TForm17", "Detailed Definition of Elements"},
    {"TForm18", "Graphics Colors and Other Settings"},
    {"TForm19", "About Tavo"},
    {"TForm20", "Shelxl/ORTEP/Others Relevant Websites"},
    {"TForm21", "Wait!"},
    {"TForm23", "Handling Fixing Treatments and Free Variables"},
    {"TForm24", "Edit Parameters"},
    {"TForm25", "Setting up a Gaussian Input Command File to be Saved"},
    {"TForm26", "Making Overall Shifts in Coordinates"},
    {"TForm27", "Global Edition"},
    {"TForm28", "Locating an Atom, Atoms, or a Group"},
    {"TForm29", "Working Coordinates"},
    {"TForm30", "Setting the Parameter"},
    {"TForm32", "Quick References; How to Use Tavo"},
    {"TForm33", "Minimum Instructions for Shelxl structure refinment in Tavo"},
    {"TForm34", "Define the Distance?"},
    {"TForm35", "Some Instructions for the  CIF Generation"},
    {"TForm36", "Editing CIF Contents"},
    {"TForm37", "Plane Calculation Control Window (since 2023)"},
}};

}  // namespace

std::span<const WindowEntry> auxiliaryWindows() {
  return windows;
}

}  // namespace tavo::app
