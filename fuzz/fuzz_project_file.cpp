// The project file read from arbitrary bytes, as a damaged or hand-edited file would bring
// them. A refusal always tells the user why; whatever is accepted is saved as a file that
// opens again, and saving that writes the same bytes, so that opening and saving repeatedly
// changes nothing.
#include "files/project_file.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read = files::readProject(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (const auto* message = std::get_if<QString>(&read)) {
        require(!message->isEmpty(), "a refusal says why");
        return 0;
    }
    const QByteArray saved = files::projectBytes(std::get<files::Project>(read));
    const auto reread = files::readProject(saved);
    const auto* refused = std::get_if<QString>(&reread);
    require(!refused, "a saved project opens again",
            refused ? refused->toStdString() : std::string());
    require(files::projectBytes(std::get<files::Project>(reread)) == saved,
            "saving the reopened project writes the same bytes", saved.toStdString());
    return 0;
}
