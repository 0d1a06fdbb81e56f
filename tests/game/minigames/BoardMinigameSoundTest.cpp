// The board minigames' victory through the sound layer, in a child
// process: the glide that leaves eight heads alone, and the frame in which
// the last picture piece lies over its slot, play "victory" and wait for
// its length.

#include "MinigameTestSupport.h"

#include "../../engine/foundation/ChildProcess.h"
#include "../../engine/sound/cSoundManagerTestSupport.h"

#include "game/minigames/cMinigameFaces.h"
#include "game/minigames/cMinigamePicture.h"

#include <functional>
#include <unistd.h>

namespace
{
// Runs the body in a child process with the sound layer and a "victory"
// sound of half a second of silence. The child ends without the
// singletons' teardown, which would take the parent's windows with it.
void WithVictorySound(const std::function<void(cSceneManager*)>& body)
{
	cTempFolder folder;
	WriteWave("victory", Riff(Chunk("fmt ", FormatRecord(1, 2, 44100, 16)) + Chunk("data", StereoSamples(22050))));
	RunInChild([&] {
		StartSoundManager();
		cResourceManager::GetInstance()->AddSource("data");
		body(cSceneManager::GetInstance());
		fflush(stdout);
		fflush(stderr);
		_exit(testing::Test::HasFailure() ? 1 : 0);
	});
}
}

TEST(BoardMinigameSound, TheLastGlideOfTheFacesPlaysVictoryForItsLength)
{
	WithVictorySound([](cSceneManager* scene) {
		cSceneContent content;
		std::string board;
		for (int row = 0; row < 8; ++row)
			for (int column = 0; column < 8; ++column)
				board += "<object name=\"point_" + std::to_string(row) + "_" + std::to_string(column) + "\"/>";
		for (int head = 0; head < 8; ++head)
			board += "<object name=\"head_" + std::to_string(head) + "\"/>";
		content.AddScene("faces", board);
		testing::internal::CaptureStderr();
		auto* game = new cMinigameFaces(scene->GetRoot());
		game->Show();
		testing::internal::GetCapturedStderr();
		const int columns[8] = { 0, 4, 7, 5, 2, 6, 1, 3 };
		for (int head = 0; head < 7; ++head)
			game->PlaceHead(head, head, columns[head], true);
		game->PlaceHead(7, 7, columns[7], false);
		EXPECT_FALSE(game->IsSoundPlaying("victory")) << "not before the glide ends";
		scene->Update(0.1f);
		EXPECT_FALSE(game->IsSolved());
		scene->Update(0.15f);
		EXPECT_TRUE(game->IsSolved());
		EXPECT_TRUE(game->IsSoundPlaying("victory"));
		EXPECT_NEAR(game->GetVictoryDelay(), 0.5f, 1e-3f);
		EXPECT_EQ(game->GetResult(), "win");
	});
}

TEST(BoardMinigameSound, ThePictureWinsInTheFrameItsLastPieceLiesOverItsSlot)
{
	WithVictorySound([](cSceneManager* scene) {
		cTestResources resources;
		cModel square;
		AddQuad(square, -20, -20, 20, 20);
		square.materials = { Material(0, 2) };
		resources.Add("model", "square", ModelBytes(square));
		cSceneContent content;
		std::string board;
		for (int ring = 1; ring <= 3; ++ring)
			for (const char* kind : { "ring_", "dummy_" })
				board += std::string("<geometry name=\"") + kind + std::to_string(ring) + "_1\" model=\"square\" local=\"1 0 0 0 1 0 0 0 1 " +
					std::to_string(100 * ring) + " " + (kind[0] == 'r' && ring == 3 ? "150" : "100") + " 0\"/>";
		content.AddScene("picture", board);
		testing::internal::CaptureStderr();
		auto* game = new cMinigamePicture(scene->GetRoot());
		game->Show();
		testing::internal::GetCapturedStderr();
		scene->Update(0.1f);
		scene->Update(0.1f);
		EXPECT_FALSE(game->IsSolved()) << "ring 3's piece lies 50 away";
		game->GetRing(2)[0]->GetTransform().SetLocalMatrix(Translation(300, 105, 0));
		scene->Update(0.1f);
		scene->Update(0.1f);
		EXPECT_TRUE(game->IsSolved());
		EXPECT_TRUE(game->IsSoundPlaying("victory"));
		EXPECT_NEAR(game->GetVictoryDelay(), 0.5f, 1e-3f);
	});
}
