// The drawing suite runs in one OSMesa context, set up as the program sets up its
// window's context.

#include <gtest/gtest.h>

#include <memory>

#include "gl_fixture.h"

namespace {

class OffscreenEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    context_ = std::make_unique<OffscreenContext>(BufferWidth, BufferHeight);
    ASSERT_TRUE(context_->Ready()) << "no OSMesa context";
    ContextSetUp();
  }
  void TearDown() override {
    if (context_ && context_->Ready()) ContextRelease();
    context_.reset();
  }

 private:
  std::unique_ptr<OffscreenContext> context_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new OffscreenEnvironment);
  return RUN_ALL_TESTS();
}
