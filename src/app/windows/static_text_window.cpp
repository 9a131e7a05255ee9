// The static information and help windows and their texts.
#include "app/windows/static_text_window.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace tavo::app {

namespace {

const char* const aboutText = R"(<h2>Tavo</h2>
<p>A workbench for small-molecule crystal structures refined with SHELXL.</p>
<p>Tavo reads the current <code>.ins</code> or <code>.res</code> file, draws the structure,
lets you change the model with the mouse and a set of windows, and writes the next
<code>.ins</code> file with numbered backups of the earlier ones. It refines nothing itself.</p>
<p>The settings files (<code>elems.inf</code>, <code>graphics1.inf</code>, <code>array_max.inf</code>,
<code>spcg.inf</code>, <code>template.cif</code>) are read from the folder Tavo is started in.</p>)";

const char* const websitesText = R"(<h3>Programs and references</h3>
<ul>
<li>SHELX programs: <a href="https://shelx.uni-goettingen.de/">shelx.uni-goettingen.de</a></li>
<li>SHELXL manual: <a href="https://shelx.uni-goettingen.de/shelxl_html.php">SHELXL instructions</a></li>
<li>ORTEP-3: <a href="https://www.chem.gla.ac.uk/~louis/software/ortep3/">ortep3</a></li>
<li>IUCr CIF standard: <a href="https://www.iucr.org/resources/cif">iucr.org/resources/cif</a></li>
<li>checkCIF: <a href="https://checkcif.iucr.org/">checkcif.iucr.org</a></li>
</ul>)";

const char* const graphicHelpText = R"(<h3>Working with the picture</h3>
<ul>
<li><b>Rotate</b> (on at start): drag with the left button to turn the molecule, with the right
button to turn it about the viewing axis.</li>
<li>Shift+drag moves the picture (right button: along the viewing axis); Alt+drag zooms
(right button: the depth slab).</li>
<li>Double-click the picture to leave or re-enter Rotate. Ctrl+click an atom for the atom menu
(Center, Adopt, Locate, Delete); Ctrl+click empty space for the mode menu; Ctrl+right click for
the view menu.</li>
<li>Choose an editing mode (Name, Delete, DFIX, ...) from the mode menu or by clicking the
<i>Mouse Rotation</i> panel, pick atoms, then press <b>Apply</b>. <b>ClearSel</b> empties the
selection.</li>
<li>F2 shows the bond and peak thresholds; Ctrl+N and Ctrl+B switch between the numeric view
controls and the track bars; F1 resets the view.</li>
</ul>)";

const char* const refinementHelpText = R"(<h3>A refinement cycle</h3>
<ol>
<li>Open the <code>.res</code> of the last SHELXL run (Ctrl+O, or Ctrl+R to reopen it).</li>
<li>Turn Q-peaks into atoms in the Name mode, delete wrong atoms in the Delete mode, add
restraints (DFIX, SADI, FLAT, SAME, DELU, RIGU, SIMU, ISOR, DANG), the constraints EADP and
EXYZ, and HFIX or ANIS cards with their modes and Apply.</li>
<li>Save the next <code>.ins</code> with Ctrl+S: the opened file is kept as a numbered backup.</li>
<li>Run SHELXL on it and reopen the new <code>.res</code> with Ctrl+R.</li>
</ol>
<p>Every card Tavo adds goes directly above the L.S. or CGLS line; keep one in the file.</p>)";

const char* const cifHelpText = R"(<h3>CIF generation</h3>
<p>The CIF is merged from <code>template.cif</code> in the program folder, the CIF written by
SHELXL and the diffractometer's <code>.cif_od</code> in the working folder. Edit the template
once to hold your laboratory's texts (the values marked <code>LAB</code>); keep its data names.</p>
<ol>
<li>Refine with <code>ACTA</code> (and <code>BOND $H</code>, <code>CONF</code>, <code>HTAB</code>
for the bond, torsion and H-bond tables) so that SHELXL writes <i>name</i><code>.cif</code> beside
<i>name</i><code>.res</code>.</li>
<li>Put the diffractometer's <code>.cif_od</code> into the same folder, best under the same name.
With several and none of that name you are asked which to take.</li>
<li><b>Generate CIF (Auto)</b> writes <i>name</i><code>_tavo.cif</code>; a missing file stops it
and nothing is written. The new CIF is read back by a strict CIF reader; its finding is shown at
the bottom of the CIF Editor.</li>
<li>In the CIF Editor, run the steps one by one from its menu, double-click a line to leave it
out (<code>OMIT</code>) or take it back (<code>TAVO</code>), and edit a line with
<b>Edit Line</b>; then <b>Save_New_CIF</b>.</li>
</ol>
<p>Values SHELXL or the diffractometer leave unknown (<code>?</code>) keep the template's value.
Check the result with the IUCr's checkCIF before you submit it.</p>)";

}  // namespace

QString staticWindowText(std::string_view objectName) {
  if (objectName == "TForm19") return QString::fromUtf8(aboutText);
  if (objectName == "TForm20") return QString::fromUtf8(websitesText);
  if (objectName == "TForm32") return QString::fromUtf8(graphicHelpText);
  if (objectName == "TForm33") return QString::fromUtf8(refinementHelpText);
  if (objectName == "TForm35") return QString::fromUtf8(cifHelpText);
  return {};
}

StaticTextWindow::StaticTextWindow(std::string_view objectName, std::string_view caption,
                                   const QString& html, QWidget* parent)
    : AuxiliaryWindow(objectName, caption, parent) {
  auto* layout = new QVBoxLayout(this);
  auto* browser = new QTextBrowser(this);
  browser->setOpenExternalLinks(true);
  browser->setHtml(html);
  layout->addWidget(browser);
  resize(520, 360);
}

}  // namespace tavo::app
