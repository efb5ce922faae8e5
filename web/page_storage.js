// The page's side of the game: the player's saved files kept in the browser's IndexedDB, the
// menu fonts handed to the browser, and the start of the program once both are ready.
//
// The game runs in /game, the shipped data in the page's memory. Every file the game saves
// safely (prefs.txt, scores, replays: whatever it writes) is copied into /saved, which lives in
// IndexedDB, and copied back over the shipped files on the next visit. A first visit has
// nothing saved and starts from the shipped prefs.txt.

var gameFolder = '/game';
var savedFolder = '/saved';
var storageWorks = true;

// Storage that is refused (a private window) or full loses only what is kept for the next
// visit; the page says so once and the game plays on.
function storageRefused(reason) {
  if (!storageWorks) {
    return;
  }
  storageWorks = false;
  out('the browser keeps nothing for the next visit: ' + reason);
  if (Module['showStorageProblem']) {
    Module['showStorageProblem']();
  }
}

function mountSavedFolder() {
  try {
    FS.mkdir(savedFolder);
    FS.mount(IDBFS, {}, savedFolder);
  } catch (error) {
    storageRefused(error);
    return;
  }
  addRunDependency('saved files');
  FS.syncfs(true, function (error) {
    if (error) {
      storageRefused(error);
    }
    removeRunDependency('saved files');
  });
}

// Calls visit(path relative to root) for every file below root/relative.
function eachFile(root, relative, visit) {
  var folder = relative === '' ? root : root + '/' + relative;
  FS.readdir(folder).forEach(function (name) {
    if (name === '.' || name === '..') {
      return;
    }
    var path = relative === '' ? name : relative + '/' + name;
    if (FS.isDir(FS.stat(root + '/' + path).mode)) {
      eachFile(root, path, visit);
    } else {
      visit(path);
    }
  });
}

function makeFoldersFor(path) {
  var parts = path.split('/');
  for (var i = 1; i < parts.length; i++) {
    var folder = parts.slice(0, i).join('/');
    if (!FS.analyzePath(folder).exists) {
      FS.mkdir(folder);
    }
  }
}

function copyFile(from, to) {
  makeFoldersFor(to);
  FS.writeFile(to, FS.readFile(from));
}

function restoreSavedFiles() {
  if (!storageWorks) {
    return;
  }
  try {
    eachFile(savedFolder, '', function (path) {
      copyFile(savedFolder + '/' + path, gameFolder + '/' + path);
    });
  } catch (error) {
    storageRefused(error);
  }
}

// A kept prefs.txt from an older version of the page takes the new version's settings where
// the player never changed them (the program does the merge, as on the desktop).
var newShippedPrefs = 'prefs.txt.new';

function bringPrefsUpToDate() {
  FS.rename(gameFolder + '/prefs.txt', gameFolder + '/' + newShippedPrefs);
  restoreSavedFiles();
  var status = ccall('web_update_kept_prefs', 'number', ['string'], [newShippedPrefs]);
  if (status !== 0 && !FS.analyzePath(gameFolder + '/prefs.txt').exists) {
    FS.rename(gameFolder + '/' + newShippedPrefs, gameFolder + '/prefs.txt');
  }
  if (FS.analyzePath(gameFolder + '/' + newShippedPrefs).exists) {
    FS.unlink(gameFolder + '/' + newShippedPrefs);
  }
}

// One write to IndexedDB at a time; a save made while one runs is written by the next.
var syncing = false;
var syncAgain = false;

function syncSavedFolder() {
  if (syncing) {
    syncAgain = true;
    return;
  }
  syncing = true;
  FS.syncfs(false, function (error) {
    syncing = false;
    if (error) {
      storageRefused(error);
    } else if (syncAgain) {
      syncAgain = false;
      syncSavedFolder();
    }
    if (!error) {
      // Counted for the page and its test: every save so far is in the storage.
      Module['filesKept'] = (Module['filesKept'] || 0) + 1;
    }
  });
}

// Called by the game after each safe save, with the name it saved under (relative to /game).
Module['keepSavedFile'] = function (name) {
  if (!storageWorks) {
    return;
  }
  try {
    var path = FS.lookupPath(name).path;
    if (path.indexOf(gameFolder + '/') !== 0) {
      return;  // not the player's: only the game's folder is kept
    }
    var relative = path.slice(gameFolder.length + 1);
    copyFile(path, savedFolder + '/' + relative);
  } catch (error) {
    storageRefused(error);
    return;
  }
  syncSavedFolder();
};

// The browser's SDL draws a menu font's text with the CSS font family named like the font's
// file; each packed font is given to the browser under that name before the menus draw.
function loadFonts() {
  var loads = [];
  eachFile(gameFolder, '', function (path) {
    if (/\.ttf$/i.test(path) && typeof FontFace !== 'undefined') {
      var face = new FontFace(path, FS.readFile(gameFolder + '/' + path));
      document.fonts.add(face);
      loads.push(face.load().catch(function (error) {
        out('the browser refused the font ' + path + ': ' + error);
      }));
    }
  });
  return Promise.all(loads);
}

// Sounds are decoded by Web Audio when the game loads them, not before the first picture.
Module['noAudioDecoding'] = true;
Module['noInitialRun'] = true;
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(mountSavedFolder);
Module['onRuntimeInitialized'] = function () {
  // The steps of the start, for bench/web_figures.py.
  Module['dataReadyAt'] = performance.now();
  FS.chdir(gameFolder);
  bringPrefsUpToDate();
  loadFonts().then(function () {
    Module['fontsReadyAt'] = performance.now();
    callMain([]);
  });
};
