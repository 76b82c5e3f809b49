// The messenger's install package as the build leaves it: its setup.ini read by the wizard's own
// reader, its archive listed and matched by the wizard's own rules and unpacked by the unzip
// library's reader, and the sounds the messenger plays checked as wave files it can open.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ArchiveMatching.h"
#include "EntryName.h"
#include "KeyLines.h"
#include "SettingsFile.h"
#include "SetupIni.h"
#include "Shortcuts.h"
#include "UninstallRegistration.h"
#include "ZipReader.h"

namespace {

const std::string kProgramFiles = "c:\\program files\\";

// The build's path of the package folder is the host's, which wine shows as drive Z:.
std::string PackageFile(const std::string& name) {
    std::string path = "Z:" + std::string(ZEMBLY_PACKAGE_DIR) + "/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

setup::SetupConfig ReadPackageIni(bool uninstallMode) {
    setup::SetupConfig config;
    config.installFolder = kProgramFiles;
    setup::SetupIniContext context;
    context.uninstallMode = uninstallMode;
    EXPECT_TRUE(setup::ReadSetupIni(ReadWhole(PackageFile("setup.ini")), context, config));
    return config;
}

class CollectingSink : public unz::ByteSink {
public:
    bool Write(const unsigned char* data, size_t size) override {
        bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    }
    std::string bytes;
};

// Every entry unpacked, by name.
std::map<std::string, std::string> Unpack(const std::string& archivePath,
                                          std::vector<setup::ArchiveEntry>& listing) {
    std::map<std::string, std::string> files;
    auto source = unz::FileSource::Open(archivePath.c_str());
    if (!source) {
        ADD_FAILURE() << "cannot open " << archivePath;
        return files;
    }
    unz::ZipArchive archive;
    EXPECT_EQ(archive.Open(*source), unz::ZipError::None);
    for (const unz::ZipEntry& entry : archive.Entries()) {
        EXPECT_TRUE(unz::IsSafeEntryName(entry.name)) << entry.name;
        EXPECT_FALSE(entry.IsFolder()) << entry.name;
        CollectingSink sink;
        EXPECT_EQ(unz::ZipArchive::Extract(*source, entry, sink), unz::ZipError::None)
            << entry.name;
        files[entry.name] = sink.bytes;
        listing.push_back({entry.name, entry.uncompressedSize});
    }
    return files;
}

uint32_t Le32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}
uint16_t Le16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// Seconds of sound in a PCM wave file whose chunks agree with each other and with the file's
// length; a negative value says what is wrong.
double PcmSeconds(const std::string& wav, std::string& problem) {
    if (wav.size() < 12 || wav.compare(0, 4, "RIFF") != 0 || wav.compare(8, 4, "WAVE") != 0)
        return problem = "no RIFF WAVE header", -1;
    if (Le32(wav, 4) != wav.size() - 8) return problem = "RIFF length is not the file's", -1;
    uint16_t format = 0, channels = 0, bits = 0, blockAlign = 0;
    uint32_t rate = 0, byteRate = 0;
    for (size_t at = 12; at + 8 <= wav.size();) {
        const std::string id = wav.substr(at, 4);
        const uint32_t size = Le32(wav, at + 4);
        if (size > wav.size() - at - 8) return problem = id + " chunk runs past the end", -1;
        if (id == "fmt " && size >= 16) {
            format = Le16(wav, at + 8);
            channels = Le16(wav, at + 10);
            rate = Le32(wav, at + 12);
            byteRate = Le32(wav, at + 16);
            blockAlign = Le16(wav, at + 20);
            bits = Le16(wav, at + 22);
        } else if (id == "data") {
            if (format != 1) return problem = "no PCM format before the data", -1;
            if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate == 0)
                return problem = "unusual PCM layout", -1;
            if (blockAlign != channels * bits / 8 || byteRate != rate * blockAlign)
                return problem = "block and byte rates disagree", -1;
            if (size == 0 || size % blockAlign != 0) return problem = "partial frames", -1;
            return static_cast<double>(size) / byteRate;
        }
        at += 8 + size + (size & 1);
    }
    return problem = "no data chunk", -1;
}

}  // namespace

TEST(ReleasePackage, SetupIniDescribesTheMessengerToTheWizard) {
    const setup::SetupConfig config = ReadPackageIni(false);
    EXPECT_EQ(config.title, "zemblySMS v2.00 Setup");
    EXPECT_EQ(setup::EntryNameAtInstall(config.title), "zemblySMS v2.00");
    // progname, company and version in that order build the folder from all three.
    EXPECT_EQ(config.installFolder, kProgramFiles + "Tarnwick\\zemblySMS");
    EXPECT_EQ(config.programMenuFolder, "zemblySMS");
    EXPECT_EQ(config.company, "Tarnwick");
    ASSERT_EQ(config.VisibleComponents(), 1);
    EXPECT_EQ(config.components[0].caption, "Read Me");

    ASSERT_EQ(config.keyLines.size(), 1u);
    const setup::KeyLine key = setup::ReadKeyLines(config.keyLines)[0];
    EXPECT_EQ(key.keyPath, "Software\\Tarnwick\\zemblySMS");
    EXPECT_EQ(key.root, setup::RegistryRoot::CurrentUser);
    const setup::RegistryWrite write = setup::WriteOf(key);
    EXPECT_EQ(write.kind, setup::RegistryWrite::Kind::String);
    EXPECT_FALSE(write.failed);

    // The uninstaller reads the copy in the install folder and asks for feedback.
    const setup::SetupConfig uninstall = ReadPackageIni(true);
    EXPECT_EQ(uninstall.title, "zemblySMS v2.00 Uninstall");
    EXPECT_NE(uninstall.feedbackId, "None");
}

TEST(ReleasePackage, EveryMaskTakesFilesAndTheInstallTypesTakeTheWholeArchiveOnce) {
    const setup::SetupConfig config = ReadPackageIni(false);
    std::vector<setup::ArchiveEntry> archive;
    Unpack(PackageFile("setup.tws"), archive);
    ASSERT_FALSE(archive.empty());

    std::vector<std::string> lines = config.requiredFileLines;
    for (const setup::Component& component : config.components)
        lines.insert(lines.end(), component.fileLines.begin(), component.fileLines.end());
    for (const std::string& line : lines)
        EXPECT_FALSE(setup::ListInstallEntries({line}, archive).entries.empty())
            << line << " takes nothing from setup.tws";

    std::array<bool, setup::kComponentBoxes> all;
    all.fill(true);
    const auto full = setup::ListInstallEntries(setup::FileLinesToInstall(config, all), archive);
    std::map<std::string, int> taken;
    for (const setup::InstallEntry& entry : full.entries) ++taken[entry.name];
    for (const setup::ArchiveEntry& entry : archive)
        EXPECT_EQ(taken[entry.name], 1) << entry.name << " in a full install";

    // The program comes first: it names the product's links and is what Finish starts, and it
    // starts with Windows.
    ASSERT_FALSE(full.entries.empty());
    EXPECT_EQ(full.entries[0].name, "zemblySMS.exe");
    EXPECT_EQ(full.entries[0].type, "1");
    const auto links = setup::PlanShortcuts(full.entries, config.installFolder, config.progName,
                                            {"D\\", "S\\", "P\\"}, false);
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].linkFiles,
              (std::vector<std::string>{"S\\zemblySMS.lnk", "P\\zemblySMS.lnk"}));

    // A minimal install leaves out the read-me alone: the program and its sounds are required,
    // under the names its default settings play them by.
    std::array<bool, setup::kComponentBoxes> none{};
    std::vector<std::string> minimal;
    for (const auto& entry :
         setup::ListInstallEntries(setup::FileLinesToInstall(config, none), archive).entries)
        minimal.push_back(entry.name);
    const messenger::Settings defaults;
    EXPECT_EQ(minimal, (std::vector<std::string>{"zemblySMS.exe", defaults.soundStartup,
                                                 defaults.soundSent, defaults.soundFailed}));
}

TEST(ReleasePackage, TheSoundsAreShortPcmWaves) {
    std::vector<setup::ArchiveEntry> listing;
    const auto files = Unpack(PackageFile("setup.tws"), listing);
    const messenger::Settings defaults;
    for (const std::string& name :
         {defaults.soundStartup, defaults.soundSent, defaults.soundFailed}) {
        const auto file = files.find(name);
        ASSERT_NE(file, files.end()) << name;
        std::string problem;
        const double seconds = PcmSeconds(file->second, problem);
        EXPECT_GT(seconds, 0.05) << name << ": " << problem;
        EXPECT_LT(seconds, 2.0) << name;
    }
}
