// The disc image writer on libarchive's ISO 9660 format. libarchive keeps every file's data in a
// temporary file until it knows the layout, and writes the image when the archive is closed.

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <system_error>
#include <vector>

#include "project/DiscImage.h"

namespace corvela {

namespace fs = std::filesystem;

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

FilePtr OpenFile(const fs::path& path, bool write) {
#ifdef _WIN32
  return FilePtr(_wfopen(path.c_str(), write ? L"wb" : L"rb"));
#else
  return FilePtr(std::fopen(path.c_str(), write ? "wb" : "rb"));
#endif
}

std::string Quoted(const fs::path& path) { return "\"" + DisplayPath(path) + "\""; }

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
bool WideName(const fs::path& inImage, std::wstring& wide) {
#ifdef _WIN32
  wide = inImage.generic_wstring();
  return true;
#else
  const std::string bytes = inImage.generic_string();
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

bool IsInside(const fs::path& path, const fs::path& folder) {
  std::error_code ec;
  const fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
  const fs::path f = fs::weakly_canonical(fs::absolute(folder, ec), ec);
  auto pi = p.begin();
  for (auto fi = f.begin(); fi != f.end(); ++fi, ++pi) {
    if (fi->empty()) continue;  // a trailing separator
    if (pi == p.end() || *pi != *fi) return false;
  }
  return true;
}

// The free space of the temporary copy's volume and of the image's, checked before anything is
// written; a folder whose space cannot be read is left to fail when it is written.
bool CheckFreeSpace(const std::vector<DiscImageEntry>& entries, const fs::path& image, std::string& error) {
  std::error_code ec;
  VolumeSpace temp, target;
  temp.Folder = fs::temp_directory_path(ec);  // where libarchive puts its temporary file
  if (ec) return true;
  target.Folder = fs::absolute(image, ec).parent_path();
  const fs::space_info tempSpace = fs::space(temp.Folder, ec);
  if (ec) return true;
  const fs::space_info targetSpace = fs::space(target.Folder, ec);
  if (ec) return true;
  temp.Capacity = tempSpace.capacity;
  temp.Available = tempSpace.available;
  target.Capacity = targetSpace.capacity;
  target.Available = targetSpace.available;
  error = FreeSpaceShortage(entries, temp, target);
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
  DiscImageResult Write(const DiscImageRequest& request, const DiscImageProgress& progress) override {
    DiscImageResult result;
    std::vector<DiscImageEntry> entries;
    if (!CollectDiscImageEntries(request.Folder, entries, result.Error)) return result;
    if (IsInside(request.Image, request.Folder)) {
      result.Error = "The image " + Quoted(request.Image) + " cannot be written inside the folder it is made of.";
      return result;
    }
    if (!CheckFreeSpace(entries, request.Image, result.Error)) return result;

    CharacterTypeLocale locale;
    FilePtr file = OpenFile(request.Image, true);
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
    if (ok && std::fclose(file.release()) != 0) {
      ok = false;
      error = WriteFailure(request.Image, errno);
    }
    if (!ok) {
      // Closing frees what libarchive holds for the output (archive_write_fail would leak it);
      // the sink turns every further write away, so it ends at the first one.
      sink.Abandoned = true;
      if (a && !closed) archive_write_close(a.get());
      a.reset();
      file.reset();
      std::error_code ignored;
      fs::remove(request.Image, ignored);
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

  static std::string WriteFailure(const fs::path& image, int err) {
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
};

}  // namespace

std::unique_ptr<DiscImageWriter> MakeLibarchiveImageWriter() {
  return std::make_unique<LibarchiveImageWriter>();
}

}  // namespace corvela
