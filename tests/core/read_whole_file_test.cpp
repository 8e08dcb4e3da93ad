#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <thread>

#include "core/store/atomic_file.h"
#include "test_support.h"

namespace spinalyst {
namespace {

// Sizes about the buffer's first guess and about huge pages, each read back byte for byte.
TEST(ReadWholeFile, ReadsEveryByteOfFilesOfAnySize) {
    const test::TempDir dir;
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{1}, std::size_t{4095}, std::size_t{4096}, std::size_t{4097},
          (std::size_t{5} << 20) + 3}) {
        SCOPED_TRACE(size);
        std::string content(size, '\0');
        for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>(i * 7 + i / 4096);
        test::WriteFile(dir / "file", content);
        EXPECT_EQ(ReadWholeFile(dir / "file"), content);
    }
    EXPECT_EQ(ReadWholeFile(dir / "missing"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(dir.path()), std::nullopt);
}

// A pipe has no size to read at once: it is read on to its end, however long.
TEST(ReadWholeFile, ReadsAPipeToItsEnd) {
    const test::TempDir dir;
    const auto fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string content;
    for (int i = 0; i < 40000; ++i) content += std::to_string(i) + "\n";
    std::thread writer([&] {
        std::ofstream out(fifo, std::ios::binary);
        out << content;
    });
    const auto read = ReadWholeFile(fifo);
    writer.join();
    EXPECT_EQ(read, content);
}

}  // namespace
}  // namespace spinalyst
