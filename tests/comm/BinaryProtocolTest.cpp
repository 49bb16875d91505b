#include "CommTestSupport.h"

#include "comm/BinaryFraming.h"
#include "comm/Rk2Protocol.h"
#include "comm/ZRXProtocol.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

FrameBuffer Message(const Bytes& payload) {
  FrameBuffer frame{};
  frame[0] = static_cast<std::uint8_t>(payload.size() + 1);
  std::copy(payload.begin(), payload.end(), frame.begin() + 1);
  return frame;
}

std::string Str(const Bytes& b) { return std::string(b.begin(), b.end()); }

TEST(BinaryFraming, Rk2DoublesEvery82AndAppendsTheCheck) {
  EXPECT_EQ(EncodeRk2(Message({0x01, 0x82})), (Bytes{0x82, 0x96, 0x03, 0x01, 0x82, 0x82, 0x80}));
  // A check byte of 82h is doubled as well.
  EXPECT_EQ(EncodeRk2(Message({0x81})), (Bytes{0x82, 0x96, 0x02, 0x81, 0x83}));
  EXPECT_EQ(EncodeRk2(Message({0x80})), (Bytes{0x82, 0x96, 0x02, 0x80, 0x82, 0x82}));
}

TEST(BinaryFraming, ZrxDoublesEveryDleAndSendsTheCheckOnce) {
  EXPECT_EQ(EncodeZrx(Message({0x01, 0x10})), (Bytes{0x10, 0x02, 0x01, 0x10, 0x10, 0x10, 0x03, 0x11}));
  EXPECT_EQ(EncodeZrx(Message({})), (Bytes{0x10, 0x02, 0x10, 0x03, 0x00}));
  EXPECT_EQ(EncodeZrx(Message({0x10})), (Bytes{0x10, 0x02, 0x10, 0x10, 0x10, 0x03, 0x10}));
}

struct DecodeCase {
  const char* name;
  Bytes wire;
  std::int32_t code;  // -1: the decoder still waits for more
  Bytes result;       // count byte + payload on success
};

template <typename Decoder>
std::pair<std::int32_t, Bytes> Decode(const Bytes& wire) {
  Decoder decoder;
  for (std::uint8_t byte : wire) {
    if (decoder.Push(byte) == DecodeStatus::Done) {
      const auto& buffer = decoder.Buffer();
      Bytes result;
      if (decoder.Code() == 0) result.assign(buffer.begin(), buffer.begin() + buffer[0]);
      return {decoder.Code(), result};
    }
  }
  return {-1, {}};
}

class Rk2Decode : public ::testing::TestWithParam<DecodeCase> {};
TEST_P(Rk2Decode, Outcome) {
  const auto [code, result] = Decode<Rk2Decoder>(GetParam().wire);
  EXPECT_EQ(code, GetParam().code);
  EXPECT_EQ(result, GetParam().result);
}
INSTANTIATE_TEST_SUITE_P(
    Table, Rk2Decode,
    ::testing::Values(
        DecodeCase{"Plain", {0x82, 0x96, 0x03, 0x05, 0x06, 0x00}, 0, {0x03, 0x05, 0x06}},
        DecodeCase{"Stuffed82", {0x82, 0x96, 0x03, 0x01, 0x82, 0x82, 0x80}, 0, {0x03, 0x01, 0x82}},
        DecodeCase{"Check82Doubled", {0x82, 0x96, 0x02, 0x80, 0x82, 0x82}, 0, {0x02, 0x80}},
        DecodeCase{"Length82Doubled",
                   [] {
                     Bytes wire{0x82, 0x96};
                     FrameBuffer m{};
                     m[0] = 0x82;
                     for (int i = 1; i < 0x82; ++i) m[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
                     const Bytes encoded = EncodeRk2(m);
                     return encoded;
                   }(),
                   0,
                   [] {
                     Bytes r{0x82};
                     for (int i = 1; i < 0x82; ++i) r.push_back(static_cast<std::uint8_t>(i));
                     return r;
                   }()},
        DecodeCase{"NoPayload", {0x82, 0x96, 0x01, 0x01}, 0, {0x01}},
        DecodeCase{"WrongHeader", {0x82, 0x95, 0x03}, ceHeader82, {}},
        DecodeCase{"ZeroLength", {0x82, 0x96, 0x00}, ceHeader82, {}},
        DecodeCase{"MissingDuplicate", {0x82, 0x96, 0x03, 0x82, 0x01}, ceNo82Duplicate, {}},
        DecodeCase{"BadCheck", {0x82, 0x96, 0x03, 0x05, 0x06, 0x01}, ceCheckSum, {}},
        DecodeCase{"DeviceError", {0x82, 0x96, 0x02, 0xFF, 0xFD}, ceDeviceError, {}},
        DecodeCase{"Incomplete", {0x82, 0x96, 0x03, 0x05}, -1, {}}),
    [](const auto& info) { return std::string(info.param.name); });

class ZrxDecode : public ::testing::TestWithParam<DecodeCase> {};
TEST_P(ZrxDecode, Outcome) {
  const auto [code, result] = Decode<ZrxDecoder>(GetParam().wire);
  EXPECT_EQ(code, GetParam().code);
  EXPECT_EQ(result, GetParam().result);
}
INSTANTIATE_TEST_SUITE_P(
    Table, ZrxDecode,
    ::testing::Values(DecodeCase{"EmptyPayload", {0x10, 0x02, 0x10, 0x03, 0x00}, 0, {0x01}},
                      DecodeCase{"Plain", {0x10, 0x02, 0x05, 0x06, 0x10, 0x03, 0x03}, 0, {0x03, 0x05, 0x06}},
                      DecodeCase{"StuffedDle", {0x10, 0x02, 0x01, 0x10, 0x10, 0x10, 0x03, 0x11}, 0, {0x03, 0x01, 0x10}},
                      DecodeCase{"LeadingDle", {0x10, 0x02, 0x10, 0x10, 0x10, 0x03, 0x10}, 0, {0x02, 0x10}},
                      DecodeCase{"WrongHeader", {0x10, 0x03, 0x05}, ceHeaderDLE, {}},
                      DecodeCase{"BrokenStuffing", {0x10, 0x02, 0x05, 0x10, 0x07}, ceNoDLEDuplicate, {}},
                      DecodeCase{"BadCheck", {0x10, 0x02, 0x05, 0x10, 0x03, 0x04}, ceCheckSum, {}},
                      DecodeCase{"DeviceError", {0x10, 0x02, 0xFF, 0x01, 0x10, 0x03, 0xFE}, ceDeviceError, {}},
                      DecodeCase{"Endless", [] { Bytes b{0x10, 0x02}; b.resize(302, 0x41); return b; }(), ceCheckSum, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The same replies through the worker, whole and split into bursts.
class BinaryExchange : public VirtualPortFixture {
protected:
  void SetUp() override { port_.Open(); }

  template <typename Component>
  std::unique_ptr<Component> Make(const std::string& name, const Bytes& payload) {
    auto c = std::make_unique<Component>();
    c->SetRkComm(&port_);
    Record(*c, name);
    const FrameBuffer m = Message(payload);
    for (std::size_t i = 0; i <= payload.size(); ++i) c->SetFrameByte(i, m[i]);
    return c;
  }
  static VirtualReply Split(const Bytes& wire, std::size_t burst) {
    VirtualReply reply;
    for (std::size_t i = 0; i < wire.size(); i += burst)
      reply.bursts.push_back({static_cast<int>(5 + 20 * (i / burst)), Str(Bytes(wire.begin() + static_cast<std::ptrdiff_t>(i),
                                                                              wire.begin() + static_cast<std::ptrdiff_t>(std::min(wire.size(), i + burst)))), 0});
    return reply;
  }
};

TEST_F(BinaryExchange, Rk2SuccessWholeAndInBursts) {
  const Bytes reply{0x82, 0x96, 0x03, 0x01, 0x82, 0x82, 0x80};
  for (std::size_t burst : {reply.size(), std::size_t{1}, std::size_t{3}}) {
    events_.clear();
    auto c = Make<TRk2Protocol>("rk2", {0x11, 0x22});
    device_->SetResponder([&](const std::string&) { return Split(reply, burst); });
    c->Send();
    ASSERT_TRUE(PumpUntil([&] { return !events_.empty(); }));
    EXPECT_EQ(events_[0].kind, "result") << "burst " << burst;
    EXPECT_EQ(events_[0].bytes, Str({0x03, 0x01, 0x82}));
  }
  EXPECT_EQ(device_->Requests().back(), Str({0x82, 0x96, 0x03, 0x11, 0x22, 0x30}));
}

TEST_F(BinaryExchange, Rk2BadCheckIsNotRetriedAndSendsTheAbortFrame) {
  auto c = Make<TRk2Protocol>("rk2", {0x01});
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer(Str({0x82, 0x96, 0x02, 0x05, 0x00})); });
  c->Send();
  ASSERT_TRUE(PumpUntil([&] { return !events_.empty(); }));
  EXPECT_EQ(events_[0].error.Code, ceCheckSum);
  ASSERT_EQ(device_->RequestCount(), 2u);
  EXPECT_EQ(device_->Requests()[1], Str(kRk2AbortFrame));
}

TEST_F(BinaryExchange, Rk2DeviceErrorReplyIsReportedWithoutAbort) {
  auto c = Make<TRk2Protocol>("rk2", {0x01});
  device_->SetResponder([](const std::string&) { return VirtualReply::Answer(Str({0x82, 0x96, 0x02, 0xFF, 0xFD})); });
  c->Send();
  ASSERT_TRUE(PumpUntil([&] { return !events_.empty(); }));
  EXPECT_EQ(events_[0].kind, "error");
  EXPECT_EQ(events_[0].error.Code, ceDeviceError);
  EXPECT_EQ(device_->RequestCount(), 1u);
}

TEST_F(BinaryExchange, ZrxBadCheckIsTriedThreeTimesWithAbortFrames) {
  auto c = Make<TZRXProtocol>("zrx", {0x01, 0x10});
  device_->SetResponder([](const std::string& request) {
    if (request == Str(kZrxAbortFrame)) return VirtualReply::Silence();
    return VirtualReply::Answer(Str({0x10, 0x02, 0x05, 0x10, 0x03, 0x04}));
  });
  c->Send();
  ASSERT_TRUE(PumpUntil([&] { return !events_.empty(); }));
  EXPECT_EQ(events_[0].error.Code, ceCheckSum);
  const Bytes wire{0x10, 0x02, 0x01, 0x10, 0x10, 0x10, 0x03, 0x11};
  EXPECT_EQ(device_->Requests(), (std::vector<std::string>{Str(wire), Str(kZrxAbortFrame), Str(wire), Str(kZrxAbortFrame),
                                                           Str(wire), Str(kZrxAbortFrame)}));
}

TEST_F(BinaryExchange, ZrxSilenceIsTriedOnce) {
  auto c = Make<TZRXProtocol>("zrx", {0x01});
  c->Send();
  ASSERT_TRUE(PumpUntil([&] { return !events_.empty(); }));
  EXPECT_EQ(events_[0].error.Code, ceTimeout);
  EXPECT_EQ(device_->RequestCount(), 2u);  // the request and one abort frame
}

TEST_F(BinaryExchange, ZrxSuccessInBursts) {
  auto c = Make<TZRXProtocol>("zrx", {0x07});
  const Bytes reply{0x10, 0x02, 0x10, 0x10, 0x42, 0x10, 0x03, 0x52};
  device_->SetResponder([&](const std::string&) { return Split(reply, 2); });
  c->Send();
  ASSERT_TRUE(PumpUntil([&] { return !events_.empty(); }));
  EXPECT_EQ(events_[0].kind, "result");
  EXPECT_EQ(events_[0].bytes, Str({0x03, 0x10, 0x42}));
}

TEST_F(BinaryExchange, EmptyFrameIsReported) {
  auto c = std::make_unique<TZRXProtocol>();
  c->SetRkComm(&port_);
  Record(*c, "zrx");
  c->Send();
  ASSERT_TRUE(PumpUntil([&] { return !events_.empty(); }));
  EXPECT_EQ(events_[0].error.Code, ceEmptyFrame);
  EXPECT_EQ(device_->RequestCount(), 0u);
}

}  // namespace
