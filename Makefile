# prismo on a Debian 12 machine. The two commands the README names:
#   make demo   installs what is needed, builds everything and renders the
#               sample models through the plug-ins into out/
#   make test   builds and runs every test
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 20
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

NATIVE := build/native
WINDOWS := build/windows
ASAN := build/asan
FUZZ := build/fuzz

PACKAGES := cmake g++ clang libclang-rt-14-dev g++-mingw-w64-i686-posix mingw-w64-tools wine wine32:i386 \
	libosmesa6:i386 libosmesa6-dev libglu1-mesa-dev googletest libgtest-dev zlib1g-dev libz-mingw-w64-dev \
	xvfb xauth libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386 libxcomposite1:i386 fonts-ipafont-gothic \
	imagemagick

.PHONY: all deps build native windows dist demo test test-native test-windows test-asan test-fuzz clean

all: build

# Installs the Debian packages that are missing (needs root).
deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "installing:" $$missing; \
		dpkg --print-foreign-architectures | grep -q i386 || dpkg --add-architecture i386; \
		apt-get -o DPkg::Lock::Timeout=300 update -q && \
		DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -q $$missing; \
	fi

native: deps
	cmake -S . -B $(NATIVE) $(CMAKE_FLAGS)
	cmake --build $(NATIVE) -j$(JOBS)

windows: deps
	cmake -S . -B $(WINDOWS) $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
		-DPRISMO_NATIVE_BUILD=$(CURDIR)/$(NATIVE)
	cmake --build $(WINDOWS) -j$(JOBS)

# The release files: dist/windows/*.spi and prismo.exe; dist/native/prismo
# with the plug-ins beside it as <name>.so.
dist: native windows
	rm -rf dist && mkdir -p dist/windows dist/native
	cp $(WINDOWS)/plugins/*.spi $(WINDOWS)/plugins/prismo.exe dist/windows/
	cp $(NATIVE)/plugins/*.so $(NATIVE)/plugins/prismo dist/native/

build: dist

demo: dist
	tools/render-samples dist out

test: test-native test-windows test-asan test-fuzz
	@echo "all test stages passed"

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j$(JOBS)

# Under Wine; the native pictures it compares with come from test-native.
test-windows: windows test-native
	cd $(WINDOWS) && ctest --output-on-failure

test-asan: deps
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRISMO_SANITIZE=ON -DPRISMO_BENCHMARKS=OFF
	cmake --build $(ASAN) -j$(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j$(JOBS) -L unit

test-fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRISMO_READERS_ONLY=ON -DPRISMO_FUZZ=ON
	cmake --build $(FUZZ) -j$(JOBS)
	tests/fuzz/run-fuzzers $(FUZZ)/tests/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build dist out
