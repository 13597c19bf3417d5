// The page around the editor: it starts the editor (boxedit.js, web_main.cpp) on the bundled
// sample, starts it anew on a character the user opens or after Esc closed it, shows the
// editor's log beside the canvas and offers each saved motion2.lst for download. The editor's
// files live in the page's memory file system: nothing is sent anywhere.
'use strict';

var kCharacterFiles = ['motion.lst', 'chara.bmp', 'pattern.pat'];

var page = {
  run: null,         // the promise of the run in progress, null while the editor is closed
  dir: '/sample',    // the folder of the character shown, in the page's file system
  name: 'the sample character',
  opened: 0,         // characters opened from the user's files, each in a folder of its own
  downloadUrl: null,
  runs: 0,           // runs started
  // Figures of the page, for people and tests: when the editor's first frame came (ms since the
  // page began loading), and for the last 200 frames when each came and how long the editor
  // worked for it.
  firstFrameMs: null,
  frames: 0,
  runFrames: 0,      // frames of the run in progress; the first is start-up's black screen
  frameTimes: [],
  frameWork: [],
};

function $(id) {
  return document.getElementById(id);
}

function addLog(text, kind) {
  var item = document.createElement('li');
  item.textContent = text;
  if (kind) {
    item.className = kind;
  } else if (/: error: /.test(text)) {
    item.className = 'error';
  } else if (/: warning: /.test(text)) {
    item.className = 'warning';
  }
  $('log').appendChild(item);
}

function onFrame(workMs) {
  var now = performance.now();
  page.frames += 1;
  page.runFrames += 1;
  if (page.firstFrameMs === null && page.runFrames === 2) page.firstFrameMs = now;
  page.frameTimes.push(now);
  page.frameWork.push(workMs);
  if (page.frameTimes.length > 200) {
    page.frameTimes.shift();
    page.frameWork.shift();
  }
}

function offerDownload(path) {
  var bytes;
  try {
    bytes = Module.FS.readFile(path);
  } catch (error) {
    // Called from inside the editor's loop: a failure here must not end the editor.
    addLog('cannot offer ' + path + ' for download: ' + error, 'error');
    return;
  }
  if (page.downloadUrl) URL.revokeObjectURL(page.downloadUrl);
  page.downloadUrl = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
  var link = $('download');
  link.href = page.downloadUrl;
  link.hidden = false;
  $('saved-at').textContent = 'saved ' + new Date().toLocaleTimeString() + ', ' +
      bytes.length + ' bytes';
}

function start(dir, name) {
  page.dir = dir;
  page.name = name;
  $('character').textContent = name;
  $('closed').hidden = true;
  $('log').textContent = '';
  $('download').hidden = true;
  $('saved-at').textContent = '';
  addLog('opened ' + name, 'note');
  page.runs += 1;
  page.runFrames = 0;
  $('screen').focus();
  var run = Module.ccall('boxedit_page_run', 'number', ['string'], [dir], {async: true});
  page.run = run.then(function(status) {
    page.run = null;
    $('closed-text').textContent = status === 0 ?
        'The editor is closed.' : 'The editor could not start: see the messages.';
    $('closed').hidden = false;
    $('start-again').focus();
    return status;
  });
}

// Ends the run in progress, as Esc would; resolves when it has ended.
function closeEditor() {
  if (!page.run) return Promise.resolve();
  Module._boxedit_web_close();
  return page.run;
}

// Opens the character among `files` (File objects): the three files found by name, in any case.
function openCharacter(files) {
  var chosen = {};
  files.forEach(function(file) {
    var name = file.name.toLowerCase();
    if (kCharacterFiles.indexOf(name) >= 0) chosen[name] = file;
  });
  var names = Object.keys(chosen);
  if (names.length === 0) {
    addLog('none of ' + kCharacterFiles.join(', ') + ' was among the files opened', 'error');
    return;
  }
  if (page.run && Module._boxedit_page_unsaved() &&
      !confirm('The boxes of ' + page.name + ' have changes that no save has written. ' +
               'Open the other character all the same?')) {
    return;
  }
  Promise.all(names.map(function(name) { return chosen[name].arrayBuffer(); }))
      .then(function(contents) {
        return closeEditor().then(function() { return contents; });
      })
      .then(function(contents) {
        page.opened += 1;
        var dir = '/characters/' + page.opened;
        Module.FS.mkdirTree(dir);
        names.forEach(function(name, i) {
          Module.FS.writeFile(dir + '/' + name, new Uint8Array(contents[i]));
        });
        // The folder's name when a folder was opened, else the files'.
        var folder = chosen[names[0]].webkitRelativePath.split('/').slice(0, -1).join('/');
        start(dir, folder || names.join(', '));
        var missing = kCharacterFiles.filter(function(n) { return !chosen[n]; });
        if (missing.length > 0) addLog('not among the files opened: ' + missing.join(', '), 'note');
      })
      .catch(function(error) { addLog('cannot open the files: ' + error, 'error'); });
}

// The files at the top of a dropped folder, or the dropped files themselves.
function droppedFiles(dataTransfer) {
  var entries = [];
  for (var i = 0; i < dataTransfer.items.length; ++i) {
    var entry = dataTransfer.items[i].webkitGetAsEntry && dataTransfer.items[i].webkitGetAsEntry();
    if (entry) entries.push(entry);
  }
  if (entries.length === 0) return Promise.resolve(Array.from(dataTransfer.files));
  function fileOf(entry) {
    return new Promise(function(resolve, reject) { entry.file(resolve, reject); });
  }
  function filesOf(entry) {
    if (entry.isFile) return fileOf(entry).then(function(file) { return [file]; });
    return new Promise(function(resolve, reject) {
      var all = [];
      var reader = entry.createReader();
      (function more() {
        reader.readEntries(function(batch) {
          if (batch.length === 0) {
            Promise.all(all.filter(function(e) { return e.isFile; }).map(fileOf))
                .then(resolve, reject);
            return;
          }
          all = all.concat(batch);
          more();
        }, reject);
      })();
    });
  }
  return Promise.all(entries.map(filesOf)).then(function(lists) {
    return [].concat.apply([], lists);
  });
}

var Module = {
  canvas: $('screen'),
  boxeditLog: function(line) { addLog(line); },
  boxeditFrame: onFrame,
  boxeditFileReplaced: offerDownload,
  print: function(text) { console.log(text); },
  printErr: function(text) { console.warn(text); },
  onRuntimeInitialized: function() { start('/sample', 'the sample character'); },
};

// What a test or a person at the console can ask of the page.
window.boxedit = {
  running: function() { return page.run !== null; },
  pendingMessages: function() { return Module._boxedit_web_pending(); },
  frames: function() { return page.frames; },
  runs: function() { return page.runs; },
  runFrames: function() { return page.runFrames; },
  firstFrameMs: function() { return page.firstFrameMs; },
  frameStats: function() {
    var n = page.frameWork.length;
    if (n < 2) return null;
    var work = page.frameWork.slice(1);
    return {
      frames: n,
      meanIntervalMs: (page.frameTimes[n - 1] - page.frameTimes[0]) / (n - 1),
      meanWorkMs: work.reduce(function(a, b) { return a + b; }, 0) / work.length,
      maxWorkMs: Math.max.apply(null, work),
    };
  },
};

$('start-again').addEventListener('click', function() {
  if (!page.run) start(page.dir, page.name);
});
['open-files', 'open-folder'].forEach(function(id) {
  var input = $(id);
  input.addEventListener('change', function() {
    var files = Array.from(input.files);
    if (id === 'open-folder') {
      // Only the folder's own files, not those of folders inside it.
      files = files.filter(function(f) { return f.webkitRelativePath.split('/').length === 2; });
    }
    input.value = '';
    input.blur();
    openCharacter(files);
  });
});
document.addEventListener('dragover', function(e) { e.preventDefault(); });
document.addEventListener('drop', function(e) {
  e.preventDefault();
  droppedFiles(e.dataTransfer).then(openCharacter, function(error) {
    addLog('cannot read what was dropped: ' + error, 'error');
  });
});
window.addEventListener('beforeunload', function(e) {
  if (page.run && Module._boxedit_page_unsaved()) {
    e.preventDefault();
    e.returnValue = '';
  }
});
