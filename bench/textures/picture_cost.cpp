// What one picture file costs the program: the time LoadImageTexture takes, decoding
// and upload into an OSMesa texture, and how far it raises the process's peak memory.
// Honest pictures up to the readers' limits and hostile ones (a header that lies about
// the size, a file cut short, a progressive file of thousands of scans).
//
//   picture_cost            writes the pictures to a temporary directory and loads each
//                           one in a fresh process of its own
//   picture_cost FILE...    loads these files the same way
//
// A child prints: result, milliseconds (wall and CPU), peak resident memory before and
// after the load, and the message of a refusal.

#include <GL/osmesa.h>
#include <GL/gl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "platform/headless/headless.h"
#include "textures/textures.h"

namespace {

using Bytes = std::vector<uint8_t>;

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// User and system time of the process so far: on a loaded machine the wall clock
// counts the other programs' time too.
double CpuMilliseconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

int LoadOne(const char* file) {
  const int attributes[] = {OSMESA_FORMAT, OSMESA_RGBA, OSMESA_DEPTH_BITS, 16, OSMESA_PROFILE,
                            OSMESA_COMPAT_PROFILE, 0};
  OSMesaContext context = OSMesaCreateContextAttribs(attributes, nullptr);
  static std::vector<uint8_t> frame(64 * 64 * 4);
  if (!context || !OSMesaMakeCurrent(context, frame.data(), GL_UNSIGNED_BYTE, 64, 64)) return 2;
  glEnable(GL_TEXTURE_2D);
  const long before = PeakKilobytes();
  const double cpuStart = CpuMilliseconds();
  const auto start = std::chrono::steady_clock::now();
  unsigned int texture = 0;
  const bool loaded = LoadImageTexture(file, texture, false);
  glFinish();
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const double cpu = CpuMilliseconds() - cpuStart;
  const long after = PeakKilobytes();
  std::string message = Headless.Messages.empty() ? "" : Headless.Messages[0].Text;
  for (char& c : message)
    if (c == '\n') c = ' ';
  std::printf("%-8s %8.1f ms (CPU %8.1f ms)  peak %6.1f MB (+%6.1f MB)  %s\n", loaded ? "loaded" : "refused", ms,
              cpu, after / 1024.0, (after - before) / 1024.0, message.c_str());
  return 0;
}

// --- pictures -------------------------------------------------------------------------

struct JpegPlan {
  int Width, Height;
  bool Progressive = false;
  bool Subsampled = true;   // 4:2:0, as cameras write; else 4:4:4
  bool Noisy = true;        // photograph-like detail; else one flat colour
  int Quality = 90;
  bool Arithmetic = false;  // arithmetic coding instead of Huffman
  bool Cmyk = false;        // Adobe CMYK, inks inverted as Adobe's writers store them
};

Bytes EncodeJpeg(const JpegPlan& plan) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&cinfo, &out, &outSize);
  cinfo.image_width = static_cast<JDIMENSION>(plan.Width);
  cinfo.image_height = static_cast<JDIMENSION>(plan.Height);
  const int components = plan.Cmyk ? 4 : 3;
  cinfo.input_components = components;
  cinfo.in_color_space = plan.Cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, plan.Quality, TRUE);
  if (!plan.Subsampled) cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
  if (plan.Progressive) jpeg_simple_progression(&cinfo);
  cinfo.arith_code = plan.Arithmetic ? TRUE : FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  // CMYK: the inverted inks of R, G, B with no black are R, G, B, 255.
  std::vector<uint8_t> row(static_cast<std::size_t>(plan.Width) * components, 255);
  std::mt19937 random(7);
  while (cinfo.next_scanline < cinfo.image_height) {
    const unsigned y = cinfo.next_scanline;
    for (int x = 0; x < plan.Width; ++x) {
      const unsigned noise = plan.Noisy ? random() % 48 : 0;
      uint8_t* p = &row[static_cast<std::size_t>(components) * x];
      p[0] = static_cast<uint8_t>(plan.Noisy ? (x / 7 + noise) : 200);
      p[1] = static_cast<uint8_t>(plan.Noisy ? (y / 5 + noise) : 40);
      p[2] = static_cast<uint8_t>(plan.Noisy ? ((x + y) / 11 + noise) : 40);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes result(out, out + outSize);
  std::free(out);
  return result;
}

// The frame header's height, then width, set to new values.
void Announce(Bytes& jpeg, int width, int height) {
  for (std::size_t i = 2; i + 8 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
      jpeg[i + 5] = static_cast<uint8_t>(height >> 8);
      jpeg[i + 6] = static_cast<uint8_t>(height);
      jpeg[i + 7] = static_cast<uint8_t>(width >> 8);
      jpeg[i + 8] = static_cast<uint8_t>(width);
      return;
    }
}

// A progressive picture of one colour whose last scan is repeated until the file holds
// `scans` scans.
Bytes ManyScans(int scans, int width = 2048, int height = 2048) {
  Bytes jpeg = EncodeJpeg({width, height, true, true, false});
  std::size_t last = 0;
  for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) last = i;
  const Bytes scan(jpeg.begin() + static_cast<std::ptrdiff_t>(last), jpeg.end() - 2);   // up to EOI
  Bytes result(jpeg.begin(), jpeg.end() - 2);
  for (int i = 10; i < scans; ++i) result.insert(result.end(), scan.begin(), scan.end());
  result.insert(result.end(), {0xFF, 0xD9});
  return result;
}

Bytes Tga32RunLength(int width, int height) {
  Bytes b(18, 0);
  b[2] = 10;
  b[12] = static_cast<uint8_t>(width);
  b[13] = static_cast<uint8_t>(width >> 8);
  b[14] = static_cast<uint8_t>(height);
  b[15] = static_cast<uint8_t>(height >> 8);
  b[16] = 32;
  for (uint64_t left = uint64_t(width) * height; left > 0;) {
    const unsigned n = left > 128 ? 128 : static_cast<unsigned>(left);
    b.insert(b.end(), {static_cast<uint8_t>(127 + n), 30, 60, 200, 255});
    left -= n;
  }
  return b;
}

struct Case {
  const char* Name;
  Bytes (*Make)();
};

const Case Cases[] = {
    {"honest-256x256.jpg", [] { return EncodeJpeg({256, 256}); }},
    {"honest-2000x1500.jpg", [] { return EncodeJpeg({2000, 1500}); }},
    {"honest-2048x2048.jpg", [] { return EncodeJpeg({2048, 2048}); }},
    {"honest-2048x2048-progressive-444-q100.jpg", [] { return EncodeJpeg({2048, 2048, true, false, true, 100}); }},
    {"honest-4096x1024-progressive-444.jpg", [] { return EncodeJpeg({4096, 1024, true, false}); }},
    {"flat-2048x2048.jpg", [] { return EncodeJpeg({2048, 2048, false, true, false}); }},
    {"flat-2048x2048-progressive.jpg", [] { return EncodeJpeg({2048, 2048, true, true, false}); }},
    {"honest-4096x4096.jpg", [] { return EncodeJpeg({4096, 4096}); }},
    // A camera's photo, decoded at 1/2; the same progressive, as a photo saved for the web.
    {"photo-4000x3000.jpg", [] { return EncodeJpeg({4000, 3000}); }},
    {"photo-4000x3000-progressive.jpg", [] { return EncodeJpeg({4000, 3000, true}); }},
    {"photo-4000x3000-cmyk.jpg", [] { return EncodeJpeg({4000, 3000, false, true, true, 90, false, true}); }},
    {"honest-8000x8000.jpg", [] { return EncodeJpeg({8000, 8000}); }},
    {"honest-12000x9000-q75.jpg", [] { return EncodeJpeg({12000, 9000, false, true, true, 75}); }},
    // The most work any picture can ask for: 64 times the pixel limit, decoded at 1/8.
    {"flat-16384x16384.jpg", [] { return EncodeJpeg({16384, 16384, false, true, false}); }},
    {"flat-16384x16384-arithmetic.jpg", [] { return EncodeJpeg({16384, 16384, false, true, false, 90, true}); }},
    {"flat-20000x20000-arithmetic.jpg", [] { return EncodeJpeg({20000, 20000, false, true, false, 90, true}); }},
    {"honest-2048x2048-arithmetic.jpg", [] { return EncodeJpeg({2048, 2048, false, true, true, 90, true}); }},
    {"photo-4000x3000-arithmetic.jpg", [] { return EncodeJpeg({4000, 3000, false, true, true, 90, true}); }},
    {"honest-8000x6000-arithmetic.jpg", [] { return EncodeJpeg({8000, 6000, false, true, true, 90, true}); }},
    // A progressive picture at the work-memory limit: 5400 x 4000 at 4:2:0 keeps 62 MB
    // of coefficients.
    {"honest-5400x4000-progressive.jpg", [] { return EncodeJpeg({5400, 4000, true}); }},
    {"honest-6000x4000-progressive.jpg", [] { return EncodeJpeg({6000, 4000, true}); }},
    {"claims-16384x16384-cut-after-headers.jpg",
     [] {
       Bytes jpeg = EncodeJpeg({8, 8});
       Announce(jpeg, 16384, 16384);
       for (std::size_t i = 2; i + 1 < jpeg.size(); ++i)
         if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) {
           jpeg.resize(i + 20);
           break;
         }
       return jpeg;
     }},
    {"claims-2048x2048-cut-at-4k.jpg",
     [] {
       Bytes jpeg = EncodeJpeg({2048, 2048});
       jpeg.resize(4096);
       return jpeg;
     }},
    {"progressive-3000-scans.jpg", [] { return ManyScans(3000); }},
    {"progressive-90-scans.jpg", [] { return ManyScans(90); }},
    {"progressive-5400x4000-100-scans.jpg", [] { return ManyScans(100, 5400, 4000); }},
    {"rle32-2048x2048.tga", [] { return Tga32RunLength(2048, 2048); }},
    {"rle32-4096x4096.tga", [] { return Tga32RunLength(4096, 4096); }},
    {"rle32-16384x16384.tga", [] { return Tga32RunLength(16384, 16384); }},
};

int RunChild(const std::string& file) {
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    execl("/proc/self/exe", "picture_cost", "--load", file.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--load") == 0) return LoadOne(argv[2]);

  std::vector<std::string> files(argv + 1, argv + argc);
  std::filesystem::path dir;
  if (files.empty()) {
    dir = std::filesystem::temp_directory_path() / ("tornelo-picture-cost-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    for (const Case& c : Cases) {
      const Bytes bytes = c.Make();
      const std::string path = (dir / c.Name).string();
      std::ofstream(path, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      files.push_back(path);
    }
  }
  int failures = 0;
  for (const std::string& file : files) {
    std::printf("%-40s %9ju bytes  ", std::filesystem::path(file).filename().c_str(),
                static_cast<uintmax_t>(std::filesystem::file_size(file)));
    if (RunChild(file) != 0) {
      std::printf("(the load did not finish)\n");
      ++failures;
    }
  }
  if (!dir.empty()) std::filesystem::remove_all(dir);
  return failures == 0 ? 0 : 1;
}
