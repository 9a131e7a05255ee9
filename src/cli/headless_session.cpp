// A Workbench without a window for the commands of tavo-cli.
#include "cli/headless_session.h"

namespace tavo::cli {

HeadlessSession::HeadlessSession(model::Dialogs& dialogs, view::Canvas& canvas,
                                 const std::filesystem::path& programFolder, SessionUse use,
                                 int width, int height)
    : m_bench(dialogs, canvas, m_clock, std::filesystem::absolute(programFolder)) {
  m_bench.state().readOptions.writeFiles = use != SessionUse::Query;
  m_bench.state().picturesShown = use == SessionUse::Picture;
  m_bench.run([&] { m_bench.viewCommands().resizePane(width, height); });
  m_bench.refinement().setRunner(&m_runner);
}

bool HeadlessSession::open(const std::filesystem::path& file) {
  return m_bench.run([&] { m_bench.fileCommands().open(file, workbench::OpenedFrom::Batch); });
}

std::filesystem::path programFolderFrom(const std::optional<std::string>& option) {
  return std::filesystem::absolute(option ? std::filesystem::path(*option)
                                          : std::filesystem::current_path());
}

}  // namespace tavo::cli
