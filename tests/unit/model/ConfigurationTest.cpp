#include "model/Configuration.h"
#include "model/LanguageTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

#include "comm/MainThreadInvoker.h"
#include "VirtualSerial.h"

namespace {

class ConfigurationFile : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("vq2x-config-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    // The port as the main window lays it out.
    port_.SetFrameParitybit(TParityBit::Odd);
    port_.SetHardware(THardware::UserDefined);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path() const { return (dir_ / "application.ini").string(); }
  void Write(const std::string& text) const { std::ofstream(Path(), std::ios::binary) << text; }
  std::string Read() const {
    std::ifstream in(Path(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(Read());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  bool HasLine(const std::string& line) const {
    const auto lines = Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  void ReadConfig() { found_ = Configfile_lezen(Path(), port_, unit_, globals_, paths_).file; }
  void WriteConfig() { ASSERT_TRUE(ProgrammaInstellingen_opslaan(Path(), found_, port_, unit_, globals_, paths_)); }

  std::filesystem::path dir_;
  ManualInvoker invoker_;
  TRkComm port_{invoker_, std::make_shared<VirtualSerialBackend>()};
  int unit_ = 0;
  TGlobalVar globals_;
  PortPaths paths_;
  SettingsFile found_ = SettingsFile::Missing;
};

TEST_F(ConfigurationFile, MissingFileKeepsTheLaidOutPortAndWritesAllKeys) {
  ReadConfig();
  EXPECT_EQ(port_.Baudrate(), TBaudrate::br9600);
  EXPECT_EQ(port_.FrameParitybit(), TParityBit::Odd);
  WriteConfig();
  const std::vector<std::string> expected = {
      "[Serieel]", "baudrate=3", "databit=1", "parity=2", "stopbit=0", "hardware=3", "portaddr=0", "portname=0",
      "porttype=0", "receivedrv=0", "transmitdrv=0", "unit_no=0", "", "[Opties]", "Taal=0", "SnelleOverdracht=0", "LogVerkeer=0",
      "LogMap=", "ControleNaSchrijven=0", "", "[Algemeen]",
      "OpenCloseDialoogPath=", "", "[Afdrukken]", "Firma=", "Type=", "Sn=", "", "[Grafiek]", "X_Div=0", "Y_Div=0",
      "BronItem=0", "X_hulplijn=0", "Y_hulplijn=0", "", "[Linearisatie]", "Puntgrootte=0", "Lin_X_hulplijn=0",
      "Lin_Y_hulplijn=0"};
  EXPECT_EQ(Lines(), expected);
}

TEST_F(ConfigurationFile, OnlyTheSerialSectionGivesEveryDefault) {
  Write("[Serieel]\n");
  ReadConfig();
  EXPECT_EQ(port_.Baudrate(), TBaudrate::br38400);
  EXPECT_EQ(port_.FrameParitybit(), TParityBit::Even);
  EXPECT_EQ(port_.FrameDatabits(), TDataBit::db_8);
  EXPECT_EQ(port_.Hardware(), THardware::PhoenixPSM);
  EXPECT_EQ(port_.TransmitDriver(), TTransmitDriver::tdDTRto0);
  WriteConfig();
  EXPECT_TRUE(HasLine("baudrate=6"));
  EXPECT_TRUE(HasLine("parity=1"));
  EXPECT_TRUE(HasLine("hardware=2"));
  EXPECT_TRUE(HasLine("transmitdrv=3"));
  EXPECT_EQ(Lines().size(), 39u);
}

TEST_F(ConfigurationFile, YesIsAnyNonZeroNumberAndIsWrittenAsOne) {
  Write("[Grafiek]\nX_hulplijn=5\nY_hulplijn=0\n[Linearisatie]\nLin_X_hulplijn=-1\n");
  ReadConfig();
  EXPECT_TRUE(globals_.X_hulplijn);
  EXPECT_FALSE(globals_.Y_hulplijn);
  EXPECT_TRUE(globals_.Lin_X_hulplijn);
  WriteConfig();
  EXPECT_TRUE(HasLine("X_hulplijn=1"));
  EXPECT_TRUE(HasLine("Lin_X_hulplijn=1"));
}

TEST_F(ConfigurationFile, EverySettingRoundTrips) {
  Write("[Serieel]\nbaudrate=8\ndatabit=0\nparity=0\nstopbit=1\nhardware=1\nportaddr=2\nportname=5\nporttype=1\n"
        "receivedrv=1\ntransmitdrv=1\nunit_no=17\n[Opties]\nTaal=2\nControleNaSchrijven=1\n"
        "[Algemeen]\nOpenCloseDialoogPath=/home/a b/\n"
        "[Afdrukken]\nFirma=ACME = Co\nType=VQ22\nSn=123\n[Grafiek]\nX_Div=3\nY_Div=4\nBronItem=2\n"
        "[Linearisatie]\nPuntgrootte=5\n");
  ReadConfig();
  EXPECT_EQ(port_.Baudrate(), TBaudrate::br115200);
  EXPECT_EQ(port_.FrameDatabits(), TDataBit::db_7);
  EXPECT_EQ(port_.FrameParitybit(), TParityBit::None);
  EXPECT_EQ(port_.FrameStopbits(), TStopBit::sb_2);
  EXPECT_EQ(port_.PortName(), TPort::COM6);
  EXPECT_EQ(port_.PortAddress(), TPortAddr::pa_03E8);  // COM6 has no address of its own
  EXPECT_EQ(port_.Hardware(), THardware::PCLabPCL745);
  EXPECT_EQ(port_.PortType(), TPortType::RS422);
  EXPECT_EQ(unit_, 17);
  EXPECT_EQ(globals_.LanguageIndex, 2);
  EXPECT_EQ(globals_.OpenCloseDialoogPath, "/home/a b/");
  EXPECT_EQ(globals_.Firma, "ACME = Co");
  EXPECT_EQ(globals_.BronItem, 2);
  EXPECT_EQ(globals_.Puntgrootte, 5);
  const std::string before = Read();
  WriteConfig();
  TGlobalVar again;
  int unit = 0;
  ManualInvoker invoker;
  TRkComm port(invoker, nullptr);
  Configfile_lezen(Path(), port, unit, again, paths_);
  EXPECT_EQ(unit, 17);
  EXPECT_EQ(port.Baudrate(), TBaudrate::br115200);
  EXPECT_EQ(again.Firma, "ACME = Co");
  EXPECT_EQ(again.OpenCloseDialoogPath, "/home/a b/");
  EXPECT_TRUE(again.VerifyAfterWrite);
}

TEST_F(ConfigurationFile, NonNumbersAndOutOfRangePositionsTakeDefaultsOrKeepTheSetting) {
  Write("[Serieel]\nbaudrate=fast\nparity=9\nportname=-1\nunit_no=x\n[Opties]\nTaal=7\n");
  ReadConfig();
  EXPECT_EQ(port_.Baudrate(), TBaudrate::br38400);   // not a number: default 6
  EXPECT_EQ(port_.FrameParitybit(), TParityBit::Odd);  // outside the enumeration: unchanged
  EXPECT_EQ(port_.PortName(), TPort::COM1);
  EXPECT_EQ(unit_, 0);
  EXPECT_EQ(globals_.LanguageIndex, 7);
  EXPECT_EQ(LanguageFileName(globals_.LanguageIndex), "Taal0.ini");
}

TEST_F(ConfigurationFile, UnknownSectionsAndKeysSurviveTheWrite) {
  Write("; my notes\n[Poorten]\nCOM3=/dev/ttyUSB0\n[Serieel]\nbaudrate=4\nmy_key=keep\n");
  ReadConfig();
  EXPECT_EQ(paths_.Resolve(TPort::COM3), "/dev/ttyUSB0");
  WriteConfig();
  EXPECT_TRUE(HasLine("; my notes"));
  EXPECT_TRUE(HasLine("COM3=/dev/ttyUSB0"));
  EXPECT_TRUE(HasLine("my_key=keep"));
  EXPECT_TRUE(HasLine("baudrate=4"));
}

TEST_F(ConfigurationFile, BadFilesNeverCrashAndGiveDefaults) {
  std::mt19937 rng(3);
  for (int round = 0; round < 50; ++round) {
    std::string junk;
    const int len = static_cast<int>(rng() % 4000);
    for (int i = 0; i < len; ++i) junk += static_cast<char>(rng() & 0xFF);
    if (round % 2 == 0) junk = "[Serieel]\nbaudrate=" + junk + "\n[Serieel]\nbaudrate=2\nunit_no\n";
    Write(junk);
    ReadConfig();
    WriteConfig();
  }
  Write("[Serieel]\nbaudrate=1\nbaudrate=7\n[serieel]\nbaudrate=8\n");
  ReadConfig();
  EXPECT_EQ(port_.Baudrate(), TBaudrate::br2400);  // the first occurrence counts
}

TEST_F(ConfigurationFile, UnwritableFolderIsReportedNotThrown) {
  std::string error;
  EXPECT_FALSE(ProgrammaInstellingen_opslaan((dir_ / "missing" / "application.ini").string(), SettingsFile::Missing,
                                             port_, 0, globals_, paths_, &error));
  EXPECT_FALSE(error.empty());
}

// A file the tool cannot read is started without and left exactly as it was.
TEST_F(ConfigurationFile, UnreadableFilesAreNeverOverwritten) {
  const std::string big = "[Serieel]\nunit_no=9\n" + std::string(2 * 1024 * 1024, ';') + "\n";
  Write(big);
  ReadConfig();
  EXPECT_EQ(found_, SettingsFile::Unreadable);
  EXPECT_EQ(unit_, 0);
  std::string error;
  EXPECT_FALSE(ProgrammaInstellingen_opslaan(Path(), found_, port_, 5, globals_, paths_, &error));
  EXPECT_EQ(Read(), big);

  Write("[Serieel]\nunit_no=9\n");
  std::filesystem::permissions(Path(), std::filesystem::perms::none);
  // Root reads anything, and Windows lets the owner read a file whatever
  // its permissions: the read then succeeds.
  const bool privileged = std::ifstream(Path()).is_open();
  ReadConfig();
  EXPECT_EQ(found_, privileged ? SettingsFile::Read : SettingsFile::Unreadable);
  if (!privileged) {
    EXPECT_FALSE(ProgrammaInstellingen_opslaan(Path(), found_, port_, 5, globals_, paths_, &error));
  }
  std::filesystem::permissions(Path(), std::filesystem::perms::owner_all);
  if (!privileged) {
    EXPECT_EQ(Read(), "[Serieel]\nunit_no=9\n");
  }
}

TEST_F(ConfigurationFile, ReadOnlyFileIsNotReplaced) {
  Write("[Serieel]\nunit_no=9\n");
  std::filesystem::permissions(Path(), std::filesystem::perms::owner_read);
  ReadConfig();
  EXPECT_EQ(unit_, 9);
  std::string error;
  EXPECT_FALSE(ProgrammaInstellingen_opslaan(Path(), found_, port_, 5, globals_, paths_, &error));
  EXPECT_FALSE(error.empty());
  std::filesystem::permissions(Path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(Read(), "[Serieel]\nunit_no=9\n");
}

TEST_F(ConfigurationFile, ByteOrderMarkDoesNotHideTheFirstSection) {
  Write("\xEF\xBB\xBF[Serieel]\nunit_no=12\n");
  ReadConfig();
  EXPECT_EQ(unit_, 12);
}

TEST_F(ConfigurationFile, PortMappingIsWrittenBack) {
  ReadConfig();
  paths_.SetConfigured(TPort::COM2, "/dev/pts/9");
  WriteConfig();
  EXPECT_TRUE(HasLine("COM2=/dev/pts/9"));
}

class LanguageFiles : public ConfigurationFile {};

TEST_F(LanguageFiles, IndexChoosesTheFileAndAMissingFileChangesNothing) {
  EXPECT_EQ(LanguageFileName(1), "Taal1.ini");
  EXPECT_EQ(LanguageFileName(2), "Taal2.ini");
  EXPECT_EQ(LanguageFileName(0), "Taal0.ini");
  EXPECT_EQ(LanguageFileName(-3), "Taal0.ini");
  TGlobalVar g;
  g.ProgramDir = dir_.string() + "/";
  g.LanguageIndex = 1;
  EXPECT_FALSE(TekstFile_Lezen(g));
  EXPECT_FALSE(g.LanguageLoaded);
  std::ofstream(dir_ / "Taal1.ini") << "[Main]\nsubBackup=Back up\n";
  ASSERT_TRUE(TekstFile_Lezen(g));
  EXPECT_TRUE(g.LanguageLoaded);
  g.LanguageIndex = 2;  // no such file: the English texts stay
  EXPECT_FALSE(TekstFile_Lezen(g));
  EXPECT_TRUE(g.LanguageLoaded);
  EXPECT_EQ(g.LanguageTexts.ReadString("MAIN", "subbackup", ""), "Back up");
}

TEST_F(LanguageFiles, LookupGivesTheDefaultOnlyForAMissingKey) {
  GlobalVar().LanguageTexts = IniDocument::FromText("[Main]\nsubBackup=Back up\nGroepUitgangen=\nlist=\"a b\",c\n");
  EXPECT_EQ(Tekst("Main", "subBackup", "Backup"), "Back up");
  EXPECT_EQ(Tekst("Main", "GroepIngangen", "Ingangen"), "Ingangen");
  EXPECT_EQ(Tekst("Main", "GroepUitgangen", "Uitgangen"), "");
  EXPECT_EQ(Tekst("Main", "Msg_waarschuwingCaption"), "");
  EXPECT_EQ(TekstList("Main", "list"), (std::vector<std::string>{"a b", "c"}));
  GlobalVar().LanguageTexts = IniDocument{};
}

}  // namespace
