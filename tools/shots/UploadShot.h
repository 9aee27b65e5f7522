// The picture of the upload page during a run.
#pragma once

namespace dravenloom {
class TGuideForm;
}

namespace dravenloom::shots {

class Camera;

// Sends the open guide to pyftpdlib on 127.0.0.1, slowed down, and takes the window while a
// file is half sent ("page-upload-running"); then aborts the run.
void ShootUploadRunning(Camera& camera, TGuideForm& window);

// Chooses SFTP and uploads to the asyncssh test server, whose host key nobody vouches for, and
// takes the question that asks whether to trust it ("upload-trust-question"); answers No.
void ShootTrustQuestion(Camera& camera, TGuideForm& window);

} // namespace dravenloom::shots
