// The disc image writer on libarchive's ISO 9660 format. libarchive keeps every file's data in a
// temporary file until it knows the layout, and writes the image when the archive is closed.

#include <archive.h>
#include <archive_entry.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <sys/statvfs.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <memory>
#include <vector>

#include "project/DiscImage.h"
#include "project/DiscLabel.h"

namespace corvela {

namespace {

constexpr size_t kChunkBytes = 1 << 20;

struct ArchiveFree {
  void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree {
  void operator()(archive_entry* e) const { archive_entry_free(e); }
};
struct FileClose {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileClose>;

FilePtr OpenFile(const NativePath& path, bool write) {
#ifdef _WIN32
  // Written and read back: the Joliet volume name is set once the image is whole.
  return FilePtr(_wfopen(path.c_str(), write ? L"w+b" : L"rb"));
#else
  return FilePtr(std::fopen(path.c_str(), write ? "w+b" : "rb"));
#endif
}

// The file's data on the disk, not just in the system's cache, before it replaces the old image.
// The writer gives the Joliet descriptor the primary one's folded name; the label goes there as it
// is (the name Explorer shows). Descriptors start at sector 16 and end with a terminator.
bool SetJolietVolumeName(std::FILE* file, const std::string& label) {
  constexpr long kSector = 2048;
  for (long sector = 16; sector < 48; ++sector) {
    unsigned char head[91];
    if (std::fseek(file, sector * kSector, SEEK_SET) != 0 || std::fread(head, 1, sizeof head, file) != sizeof head)
      return false;
    if (std::memcmp(head + 1, "CD001", 5) != 0 || head[0] == 255) return true;
    // A supplementary descriptor with one of Joliet's three escape sequences.
    const bool joliet = head[0] == 2 && head[88] == '%' && head[89] == '/' &&
                        (head[90] == '@' || head[90] == 'C' || head[90] == 'E');
    if (!joliet) continue;
    const std::string field = JolietVolumeField(label);
    return std::fseek(file, sector * kSector + 40, SEEK_SET) == 0 &&
           std::fwrite(field.data(), 1, field.size(), file) == field.size() && std::fseek(file, 0, SEEK_END) == 0;
  }
  return true;
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return ::fsync(fileno(file)) == 0;
#endif
}

std::string Quoted(const NativePath& path) { return "\"" + DisplayPath(path) + "\""; }

void RemoveFile(const NativePath& path) {
#ifdef _WIN32
  _wremove(path.c_str());
#else
  std::remove(path.c_str());
#endif
}

// Where libarchive puts its temporary file: the system's temporary folder.
NativePath TemporaryFolder() {
#ifdef _WIN32
  for (const wchar_t* name : {L"TMP", L"TEMP", L"USERPROFILE"})
    if (const wchar_t* value = _wgetenv(name); value && *value) return value;
  return L"C:\\Windows\\Temp";
#else
  for (const char* name : {"TMPDIR", "TMP", "TEMP", "TEMPDIR"})
    if (const char* value = std::getenv(name); value && *value) return value;
  return "/tmp";
#endif
}

// Capacity and free space of the volume that holds folder; false when it cannot be told.
bool ReadSpace(VolumeSpace& space) {
#ifdef _WIN32
  const NativePath full = AbsolutePath(space.Folder);
  if (full.size() < 2 || full[1] != L':') return false;  // a network path: left to the write
  _diskfree_t free{};
  if (_getdiskfree(static_cast<unsigned>(std::towupper(full[0]) - L'A' + 1), &free) != 0) return false;
  const uint64_t cluster = uint64_t{free.sectors_per_cluster} * free.bytes_per_sector;
  space.Capacity = cluster * free.total_clusters;
  space.Available = cluster * free.avail_clusters;
#else
  struct statvfs st {};
  if (::statvfs(space.Folder.c_str(), &st) != 0) return false;
  space.Capacity = uint64_t{st.f_blocks} * st.f_frsize;
  space.Available = uint64_t{st.f_bavail} * st.f_frsize;
#endif
  return true;
}

// In the "C" locale libarchive cannot turn a name with characters beyond U+00FF into the
// multibyte form its ISO 9660 writer sorts by, and the file silently goes missing. The character
// type follows the user's environment while the image is written, UTF-8 when that is plain "C".
// On Windows the names are wide already and the C runtime has no UTF-8 locale; the libarchive
// built for it takes "C" as UTF-8 (scripts/libarchive-c-locale-utf8.patch), and a code page
// would lose characters again.
class CharacterTypeLocale {
 public:
  CharacterTypeLocale() {
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    previous_ = current ? current : "C";
#ifdef _WIN32
    std::setlocale(LC_CTYPE, "C");
#else
    const char* chosen = std::setlocale(LC_CTYPE, "");
    if (!chosen || std::strcmp(chosen, "C") == 0 || std::strcmp(chosen, "POSIX") == 0)
      std::setlocale(LC_CTYPE, "C.UTF-8");
#endif
  }
  ~CharacterTypeLocale() { std::setlocale(LC_CTYPE, previous_.c_str()); }
  CharacterTypeLocale(const CharacterTypeLocale&) = delete;
  CharacterTypeLocale& operator=(const CharacterTypeLocale&) = delete;

 private:
  std::string previous_;
};

// The name inside the image as wide characters with "/" between folders.
bool WideName(const NativePath& inImage, std::wstring& wide) {
#ifdef _WIN32
  wide = inImage;
  return true;
#else
  const std::string& bytes = inImage;
  std::mbstate_t state{};
  const char* source = bytes.c_str();
  const size_t length = std::mbsrtowcs(nullptr, &source, 0, &state);
  if (length == static_cast<size_t>(-1)) return false;
  wide.assign(length, L'\0');
  source = bytes.c_str();
  state = std::mbstate_t{};
  std::mbsrtowcs(wide.data(), &source, length, &state);
  return true;
#endif
}

// What is at path now: nothing, a file of some size, or something that is not a file.
enum class Occupant { None, File, Other };
Occupant Existing(const NativePath& path, uint64_t& size) {
  size = 0;
#ifdef _WIN32
  struct _stat64 st {};
  if (_wstat64(path.c_str(), &st) != 0) return Occupant::None;
  const bool regular = (st.st_mode & _S_IFMT) == _S_IFREG;
#else
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return Occupant::None;
  const bool regular = S_ISREG(st.st_mode);
#endif
  size = static_cast<uint64_t>(st.st_size);
  return regular ? Occupant::File : Occupant::Other;
}

// The free space of the temporary copy's volume and of the image's, checked before anything is
// written; a folder whose space cannot be read is left to fail when it is written.
bool CheckFreeSpace(const std::vector<DiscImageEntry>& entries, const NativePath& image, uint64_t oldImageBytes,
                    std::string& error) {
  VolumeSpace temp, target;
  temp.Folder = TemporaryFolder();
  target.Folder = ParentFolderOf(AbsolutePath(image));
  if (!ReadSpace(temp) || !ReadSpace(target)) return true;
  error = FreeSpaceShortage(entries, temp, target, oldImageBytes);
  return error.empty();
}

// Where the image's bytes go, counting them for the progress report.
struct Sink {
  std::FILE* File = nullptr;
  const DiscImageProgress* Progress = nullptr;
  uint64_t DataBytes = 0;      // file data fed in the first pass
  uint64_t ExpectedTotal = 0;  // data fed plus the estimated image
  uint64_t Written = 0;
  bool Cancelled = false;
  bool Abandoned = false;  // after a failure: nothing more reaches the file
  int WriteError = 0;

  bool Report(uint64_t done) {
    if (!*Progress) return true;
    // Estimates are rough: the end is reported only once the image is complete.
    if (done >= ExpectedTotal) done = ExpectedTotal - 1;
    if (!(*Progress)(done, ExpectedTotal)) Cancelled = true;
    return !Cancelled;
  }
};

la_ssize_t WriteToSink(archive*, void* data, const void* buffer, size_t length) {
  Sink& sink = *static_cast<Sink*>(data);
  if (sink.Cancelled || sink.Abandoned) return -1;
  if (std::fwrite(buffer, 1, length, sink.File) != length) {
    sink.WriteError = errno ? errno : EIO;
    return -1;
  }
  sink.Written += length;
  if (!sink.Report(sink.DataBytes + sink.Written)) return -1;
  return static_cast<la_ssize_t>(length);
}

class LibarchiveImageWriter : public DiscImageWriter {
 public:
  explicit LibarchiveImageWriter(ReplaceFileStep replace) : replace_(std::move(replace)) {}

  DiscImageResult Write(const DiscImageRequest& request, const DiscImageProgress& progress) override {
    DiscImageResult result;
    result.Error = ImagePlaceProblem(request.Image, request.Folder);
    if (!result.Error.empty()) return result;
    uint64_t oldImageBytes = 0;
    if (Existing(request.Image, oldImageBytes) == Occupant::Other) {
      result.Error = "Cannot create file " + Quoted(request.Image) + ": something that is not a file is there.";
      return result;
    }
    std::vector<DiscImageEntry> entries;
    if (!CollectDiscImageEntries(request.Folder, entries, result.Error)) return result;
    if (!CheckFreeSpace(entries, request.Image, oldImageBytes, result.Error)) return result;

    // The old image stays untouched until the new one is complete.
    const NativePath temporary = ImageTemporaryPath(request.Image);
    CharacterTypeLocale locale;
    FilePtr file = OpenFile(temporary, true);
    if (!file) {
      result.Error = "Cannot create file " + Quoted(request.Image) + ". " + std::strerror(errno);
      return result;
    }
    Sink sink;
    sink.File = file.get();
    sink.Progress = &progress;
    for (const DiscImageEntry& entry : entries) sink.DataBytes += entry.Size;
    sink.ExpectedTotal = sink.DataBytes + EstimatedImageBytes(entries);

    std::unique_ptr<archive, ArchiveFree> a(archive_write_new());
    const std::string label = VolumeLabelFrom(request.VolumeLabel);
    bool ok = a && archive_write_set_format_iso9660(a.get()) == ARCHIVE_OK &&
              // Level 3 splits files of 4 GiB and more into several extents.
              archive_write_set_format_option(a.get(), "iso9660", "iso-level", "3") == ARCHIVE_OK &&
              archive_write_set_format_option(a.get(), "iso9660", "joliet", "long") == ARCHIVE_OK &&
              archive_write_set_format_option(a.get(), "iso9660", "volume-id", label.c_str()) == ARCHIVE_OK &&
              archive_write_set_bytes_in_last_block(a.get(), 1) == ARCHIVE_OK &&
              archive_write_open(a.get(), &sink, nullptr, WriteToSink, nullptr) == ARCHIVE_OK;
    std::string error;
    if (!ok) error = a ? ArchiveError(a.get()) : "Out of memory.";
    uint64_t fed = 0;
    std::vector<char> buffer;
    for (size_t i = 0; ok && i < entries.size(); ++i) {
      ok = AddEntry(a.get(), entries[i], sink, fed, buffer, error);
    }
    // Closing writes the image out of libarchive's temporary copy.
    const bool closed = ok;
    if (ok && archive_write_close(a.get()) != ARCHIVE_OK) {
      ok = false;
      if (!sink.Cancelled) error = sink.WriteError ? WriteFailure(request.Image, sink.WriteError) : ArchiveError(a.get());
    }
    if (ok && !SetJolietVolumeName(file.get(), request.VolumeLabel)) {
      ok = false;
      error = WriteFailure(request.Image, errno);
    }
    if (ok && (!FlushToDisk(file.get()) || std::fclose(file.release()) != 0)) {
      ok = false;
      error = WriteFailure(request.Image, errno);
    }
    if (ok) {
      if (const std::string why = replace_(temporary, request.Image); !why.empty()) {
        ok = false;
        error = "Cannot replace file " + Quoted(request.Image) + ". " + why;
      }
    }
    if (!ok) {
      // Closing frees what libarchive holds for the output (archive_write_fail would leak it);
      // the sink turns every further write away, so it ends at the first one.
      sink.Abandoned = true;
      if (a && !closed) archive_write_close(a.get());
      a.reset();
      file.reset();
      RemoveFile(temporary);
      result.Outcome = sink.Cancelled ? DiscImageOutcome::Cancelled : DiscImageOutcome::Failed;
      result.Error = sink.Cancelled ? std::string() : error;
      return result;
    }
    result.Outcome = DiscImageOutcome::Written;
    result.ImageBytes = sink.Written;
    if (progress) progress(sink.ExpectedTotal, sink.ExpectedTotal);
    return result;
  }

 private:
  static std::string ArchiveError(archive* a) {
    const char* text = archive_error_string(a);
    return std::string("The image cannot be written. ") + (text ? text : "Unknown error.");
  }

  static std::string WriteFailure(const NativePath& image, int err) {
    return "Cannot write file " + Quoted(image) + ". " + std::strerror(err);
  }

  static bool AddEntry(archive* a, const DiscImageEntry& entry, Sink& sink, uint64_t& fed, std::vector<char>& buffer,
                       std::string& error) {
    std::wstring name;
    if (!WideName(entry.InImage, name)) {
      error = "The name " + Quoted(entry.InImage) + " is not valid in the current character set.";
      return false;
    }
    std::unique_ptr<archive_entry, EntryFree> e(archive_entry_new());
    archive_entry_copy_pathname_w(e.get(), name.c_str());
    archive_entry_set_filetype(e.get(), entry.IsFolder ? AE_IFDIR : AE_IFREG);
    archive_entry_set_perm(e.get(), entry.IsFolder ? 0755 : 0644);
    archive_entry_set_size(e.get(), static_cast<la_int64_t>(entry.Size));
    archive_entry_set_mtime(e.get(), static_cast<time_t>(entry.ModifiedSeconds), entry.ModifiedNanoseconds);
    if (archive_write_header(a, e.get()) < ARCHIVE_WARN) {
      error = ArchiveError(a);
      return false;
    }
    if (entry.IsFolder) return true;
    FilePtr source = OpenFile(entry.Source, false);
    if (!source) {
      error = "Cannot open file " + Quoted(entry.Source) + ". " + std::strerror(errno);
      return false;
    }
    buffer.resize(kChunkBytes);
    uint64_t done = 0;
    while (done < entry.Size) {
      const size_t want = static_cast<size_t>(std::min<uint64_t>(buffer.size(), entry.Size - done));
      const size_t got = std::fread(buffer.data(), 1, want, source.get());
      if (got == 0) break;
      if (archive_write_data(a, buffer.data(), got) < 0) {
        error = ArchiveError(a);
        return false;
      }
      done += got;
      fed += got;
      if (!sink.Report(fed)) return false;
    }
    if (done != entry.Size || std::ferror(source.get())) {
      error = "Cannot read file " + Quoted(entry.Source) + " to its end; it may have changed meanwhile.";
      return false;
    }
    return true;
  }

  ReplaceFileStep replace_;
};

}  // namespace

std::unique_ptr<DiscImageWriter> MakeLibarchiveImageWriter(ReplaceFileStep replace) {
  return std::make_unique<LibarchiveImageWriter>(std::move(replace));
}

}  // namespace corvela
