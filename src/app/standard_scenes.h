#pragma once
// The standard scene factory: the front end's scenes and the play scene, by
// the scene manager's numbers. The program's start installs it.
class cScene;

// The object of scene n; null for a number that has no scene.
cScene* CreateStandardScene(int nScene);
