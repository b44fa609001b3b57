#include "platform/browser_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/row_printer.h"

namespace gradova::platform {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

auto RowName = [](const auto& info) { return std::string(info.param.label); };

struct ErrorTextRow {
  const char* label;
  int code;
  std::string text;
};

class OpenErrorTexts : public ::testing::TestWithParam<ErrorTextRow> {};

TEST_P(OpenErrorTexts, WordTheCode) {
  EXPECT_EQ(OpenErrorText(GetParam().code), GetParam().text);
  EXPECT_EQ(OpenErrorMessage(GetParam().code), "Unable to open hyperlink:\n\n" + GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, OpenErrorTexts,
    ::testing::Values(
        ErrorTextRow{"OutOfResources", 0, "The operating system is out\nof memory or resources."},
        ErrorTextRow{"FileNotFound", 2, "The specified file was not found."},
        ErrorTextRow{"PathNotFound", 3, "The specified path was not found."},
        ErrorTextRow{"AccessDenied", 5,
                     "The operating system denied\naccess to the specified file."},
        ErrorTextRow{"OutOfMemory", 8, "There was not enough memory to complete the operation."},
        ErrorTextRow{"BadExe", 11,
                     "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        ErrorTextRow{"SharingViolationEndsWithBlank", 26, "A sharing violation occurred. "},
        ErrorTextRow{"AssociationIncomplete", 27,
                     "The filename association is\nincomplete or invalid."},
        ErrorTextRow{"DdeTimeout", 28,
                     "The DDE transaction could not\nbe completed because the request timed out."},
        ErrorTextRow{"DdeFailed", 29, "The DDE transaction failed."},
        ErrorTextRow{"DdeBusy", 30,
                     "The DDE transaction could not\nbe completed because other DDE "
                     "transactions\nwere being processed."},
        ErrorTextRow{"NoAssociation", 31,
                     "There is no application associated\nwith the given filename extension."},
        ErrorTextRow{"DllNotFound", 32, "The specified dynamic-link library was not found."},
        // Codes without a text of their own, between, around and beyond the table.
        ErrorTextRow{"UnknownFour", 4, "Unknown Error (4) occurred."},
        ErrorTextRow{"UnknownOne", 1, "Unknown Error (1) occurred."},
        ErrorTextRow{"UnknownNegative", -7, "Unknown Error (-7) occurred."},
        ErrorTextRow{"UnknownAboveTable", 33, "Unknown Error (33) occurred."}),
    RowName);

TEST(OpenCodes, OnlyTheOpenedCodeMeansSuccess) {
  EXPECT_GT(kOpenedCode, 32);
  for (int code : {kFileNotFoundCode, kAssociationInvalidCode, kNoAssociationCode}) {
    EXPECT_LE(code, 32) << code;
    EXPECT_EQ(OpenErrorText(code).rfind("Unknown", 0), std::string::npos) << code;
  }
}

struct CutRow {
  const char* label;
  std::string execLine;
  std::string kept;
};

class PlaceholderCut : public ::testing::TestWithParam<CutRow> {};

TEST_P(PlaceholderCut, KeepsTheCommandBeforeIt) {
  EXPECT_EQ(std::string(CutAtPlaceholder(GetParam().execLine)), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PlaceholderCut,
    ::testing::Values(
        CutRow{"BareUrl", "firefox %u", "firefox "},
        CutRow{"BareUrls", "chromium --incognito %U", "chromium --incognito "},
        CutRow{"BareFile", "viewer %f", "viewer "},
        CutRow{"BareFiles", "viewer %F --tail", "viewer "},
        // A program path, a switch and the quoted placeholder: cut just after the switch's blank.
        CutRow{"QuotedCutBeforeQuote", "/opt/browser/run -new \"%u\"", "/opt/browser/run -new "},
        CutRow{"QuotedWinsOverEarlierBare", "run %u -x \"%U\"", "run %u -x "},
        CutRow{"NoPlaceholderKeepsAll", "browser --home", "browser --home"},
        CutRow{"EmptyLine", "", ""}, CutRow{"OnlyPlaceholder", "%u", ""},
        CutRow{"EscapedPercentIsNoPlaceholder", "run --fmt=%%u %U", "run --fmt=%%u "},
        CutRow{"OtherFieldCodesAreNoPlaceholder", "run %i %c %k", "run %i %c %k"},
        CutRow{"HalfQuotedIsBare", "run \"%u", "run \""},
        CutRow{"UppercaseOtherLetterIsNoPlaceholder", "run %N %u", "run %N "},
        CutRow{"LonePercentAtEnd", "run %", "run %"}),
    RowName);

struct CommandRow {
  const char* label;
  std::string execLine;
  std::string address;
  BrowserCommandStatus status;
  std::string program;
  std::vector<std::string> arguments;
};

class BrowserCommands : public ::testing::TestWithParam<CommandRow> {};

TEST_P(BrowserCommands, SplitCutAndAddTheAddress) {
  const BrowserCommand command = BuildBrowserCommand(GetParam().execLine, GetParam().address);
  EXPECT_EQ(command.status, GetParam().status);
  EXPECT_EQ(command.program, GetParam().program);
  EXPECT_EQ(command.arguments, GetParam().arguments);
}

using Args = std::vector<std::string>;
constexpr auto kReady = BrowserCommandStatus::Ready;
constexpr auto kInvalid = BrowserCommandStatus::Invalid;
constexpr auto kUnsafe = BrowserCommandStatus::UnsafeAddress;
const std::string kUrl = "https://gradova.example.org/";

INSTANTIATE_TEST_SUITE_P(
    Lines, BrowserCommands,
    ::testing::Values(
        CommandRow{"Bare", "firefox %u", kUrl, kReady, "firefox", Args{kUrl}},
        CommandRow{"QuotedPlaceholderTwoBlanksMakeOneSeparator", "/opt/b/run -new \"%u\"", kUrl,
                   kReady, "/opt/b/run", Args{"-new", kUrl}},
        CommandRow{"NoPlaceholderAppendsAtEnd", "browser --home", kUrl, kReady, "browser",
                   Args{"--home", kUrl}},
        CommandRow{"WhatFollowsThePlaceholderIsDropped", "browser %U --new-window", kUrl, kReady,
                   "browser", Args{kUrl}},
        CommandRow{"QuotedProgramWithBlank", "\"/opt/My Browser/run\" --x %u", kUrl, kReady,
                   "/opt/My Browser/run", Args{"--x", kUrl}},
        CommandRow{"QuotingEscapes", "run \"a\\\"b\" \"c\\\\d\" \"e\\$f\" \"g\\`h\" %u", kUrl,
                   kReady, "run", Args{"a\"b", "c\\d", "e$f", "g`h", kUrl}},
        CommandRow{"OtherBackslashKeptInQuotes", "run \"a\\b\" %u", kUrl, kReady, "run",
                   Args{"a\\b", kUrl}},
        CommandRow{"EmptyQuotedArgumentKept", "run \"\" %u", kUrl, kReady, "run", Args{"", kUrl}},
        CommandRow{"TabsAndRunsOfBlanksSeparate", "run\t  -a   %u", kUrl, kReady, "run",
                   Args{"-a", kUrl}},
        CommandRow{"EscapedPercent", "run --fmt=%%s %u", kUrl, kReady, "run",
                   Args{"--fmt=%s", kUrl}},
        CommandRow{"WholeWordFieldCodesGo", "run %i %c --k=%k %u", kUrl, kReady, "run",
                   Args{"--k=", kUrl}},
        CommandRow{"EarlierBarePlaceholderBeforeQuotedGoes", "run %u -x \"%U\"", kUrl, kReady,
                   "run", Args{"-x", kUrl}},
        // The address is one argument whatever it holds: nothing in it is split or expanded.
        CommandRow{"AddressWithBlanksAndShellCharacters", "run %u", "a b;c|d $(e) \"f\" %u", kReady,
                   "run", Args{"a b;c|d $(e) \"f\" %u"}},
        CommandRow{"EmptyAddressStaysOneArgument", "run %u", "", kReady, "run", Args{""}},
        CommandRow{"AddressLooksLikeOption", "run %u", "--remote-debugging-port=1", kUnsafe, "",
                   Args{}},
        CommandRow{"AddressIsADash", "run %u", "-", kUnsafe, "", Args{}},
        CommandRow{"UnterminatedQuote", "run \"--x %u", kUrl, kInvalid, "", Args{}},
        CommandRow{"PlaceholderInsideQuotedWordLeavesQuoteOpen", "run \"--url=%u\"", kUrl, kInvalid,
                   "", Args{}},
        CommandRow{"UnknownFieldCode", "run --x=%z %u", kUrl, kInvalid, "", Args{}},
        CommandRow{"LonePercent", "run 100% %u", kUrl, kInvalid, "", Args{}},
        CommandRow{"NoProgram", "%u", kUrl, kInvalid, "", Args{}},
        CommandRow{"OnlyBlanks", "   %U", kUrl, kInvalid, "", Args{}},
        CommandRow{"EmptyLine", "", kUrl, kInvalid, "", Args{}},
        CommandRow{"EmptyQuotedProgram", "\"\" %u", kUrl, kInvalid, "", Args{}},
        CommandRow{"OnlyFieldCodes", "%i %c %u", kUrl, kInvalid, "", Args{}}),
    RowName);

}  // namespace
}  // namespace gradova::platform
