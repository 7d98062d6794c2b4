#include "installer/ImageLocation.h"

#include <gtest/gtest.h>

using talvek::imageLiesInFolder;

namespace {

struct Case {
  const wchar_t* image;
  const wchar_t* folder;
  bool ours;
};

constexpr Case kCases[] = {
    // Below the folder, whatever the letter case, separator or device prefix.
    {L"C:\\Program Files\\Talvek\\Talvek.exe", L"C:\\Program Files\\Talvek\\", true},
    {L"C:\\Program Files\\Talvek\\Auxiliary\\Beacon.exe", L"C:\\Program Files\\Talvek", true},
    {L"c:\\program files\\TALVEK\\talvek.exe", L"C:\\Program Files\\Talvek\\", true},
    {L"C:/Program Files/Talvek/Talvek.exe", L"C:\\Program Files\\Talvek\\\\", true},
    {L"\\\\?\\C:\\Talvek\\Talvek.exe", L"C:\\Talvek\\", true},
    {L"\\??\\C:\\Talvek\\Talvek.exe", L"C:\\Talvek\\", true},
    {L"\\\\server\\share\\Talvek\\Talvek.exe", L"\\\\server\\share\\Talvek\\", true},
    {L"C:\\Talvek.exe", L"C:\\", true},  // a drive root holds everything on it
    // A shared name elsewhere, a neighbouring folder, the folder itself.
    {L"C:\\Tools\\Beacon.exe", L"C:\\Program Files\\Talvek\\", false},
    {L"C:\\Program Files\\Talvek2\\Talvek.exe", L"C:\\Program Files\\Talvek\\", false},
    {L"C:\\Program Files\\Talvek.exe", L"C:\\Program Files\\Talvek\\", false},
    {L"C:\\Program Files\\Talvek", L"C:\\Program Files\\Talvek\\", false},
    {L"C:\\Program Files\\Talvek\\", L"C:\\Program Files\\Talvek\\", false},
    {L"D:\\Program Files\\Talvek\\Talvek.exe", L"C:\\Program Files\\Talvek\\", false},
    // An unreadable path, or a folder that cannot be trusted to bound anything.
    {L"", L"C:\\Talvek\\", false},
    {L"C:\\Talvek\\Talvek.exe", L"", false},
    {L"C:\\Talvek\\Talvek.exe", L"\\", false},
    {L"Talvek\\Talvek.exe", L"Talvek\\", false},
    {L"\\Talvek\\Talvek.exe", L"\\Talvek\\", false},
};

}  // namespace

TEST(ImageLocation, OnlyAnImageBelowTheFolderIsOurs) {
  for (const Case& c : kCases) {
    EXPECT_EQ(imageLiesInFolder(c.image, c.folder), c.ours);
  }
}
